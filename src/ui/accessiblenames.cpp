#include "ui/accessiblenames.h"

#include "ui/spinedit.h"

#include <QAbstractSlider>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <limits>

namespace zavevad {

namespace {

/// The control a label names, when it takes a name from beside it.
bool isInputControl(const QWidget *widget)
{
    if (qobject_cast<const SpinEdit *>(widget) || qobject_cast<const QComboBox *>(widget)
            || qobject_cast<const QAbstractSlider *>(widget))
        return true;
    // A number box's own field is named with the box.
    return qobject_cast<const QLineEdit *>(widget)
            && !qobject_cast<const SpinEdit *>(widget->parentWidget());
}

QWidget *controlBeside(const QLabel *label)
{
    const QWidget *parent = label->parentWidget();
    if (!parent)
        return nullptr;
    const QRect place = label->geometry();
    QWidget *best = nullptr;
    int bestDistance = std::numeric_limits<int>::max();
    const QList<QWidget *> siblings = parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *widget : siblings) {
        if (!isInputControl(widget))
            continue;
        const QRect other = widget->geometry();
        const int distance = other.left() - place.left();
        // On the label's row: the centres less than half a row apart.
        if (distance > 0 && std::abs(other.center().y() - place.center().y()) <= 10
                && distance < bestDistance) {
            best = widget;
            bestDistance = distance;
        }
    }
    return best;
}

QString nameOf(const QLabel *label)
{
    QString name = label->text();
    name.remove(QLatin1Char('&'));
    name = name.trimmed();
    while (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

} // namespace

void nameControlsByLabels(QWidget *root)
{
    const QList<QLabel *> labels = root->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        if (label->text().isEmpty())
            continue;
        QWidget *control = label->buddy();
        if (!control) {
            control = controlBeside(label);
            if (!control)
                continue;
            label->setBuddy(control);
        }
        if (auto *spin = qobject_cast<SpinEdit *>(control->parentWidget()))
            control = spin;
        if (!control->accessibleName().isEmpty())
            continue;
        const QString name = nameOf(label);
        control->setAccessibleName(name);
        if (auto *spin = qobject_cast<SpinEdit *>(control))
            spin->lineEdit()->setAccessibleName(name);
    }
}

} // namespace zavevad
