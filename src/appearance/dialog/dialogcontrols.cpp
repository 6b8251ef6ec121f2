#include "appearance/dialog/dialogcontrols.h"

#include "platform/commanderror.h"
#include "platform/decimalint.h"
#include "ui/spinedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace zavevad {

namespace {

template<class W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, int x, int y)
{
    auto *label = named(new QLabel(text, parent), name);
    label->adjustSize();
    label->setGeometry(x, y, label->width(), RowHeight);
    return label;
}

QCheckBox *makeCheckBox(QWidget *parent, const char *name, const QString &text, int x, int y)
{
    auto *box = named(new QCheckBox(text, parent), name);
    box->adjustSize();
    box->setGeometry(x, y, box->width() + 4, RowHeight);
    return box;
}

QRadioButton *makeRadioButton(QWidget *parent, const char *name, const QString &text, int x, int y)
{
    auto *button = named(new QRadioButton(text, parent), name);
    button->adjustSize();
    button->setGeometry(x, y, button->width() + 4, RowHeight);
    return button;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, const QRect &place)
{
    auto *button = named(new QPushButton(text, parent), name);
    // Enter in a box must not press a colour button behind the user's back.
    button->setAutoDefault(false);
    button->setCursor(Qt::PointingHandCursor);
    button->setGeometry(place);
    return button;
}

QComboBox *makeDropDown(
        QWidget *parent, const char *name, const QStringList &items, const QRect &place)
{
    auto *box = named(new QComboBox(parent), name);
    box->addItems(items);
    box->setEditable(false);
    box->setGeometry(place);
    return box;
}

SpinEdit *makeSpinEdit(
        QWidget *parent, const char *name, const QRect &place, int minimum, int maximum, int step)
{
    auto *spin = named(new SpinEdit(parent), name);
    spin->setRange(minimum, maximum);
    spin->setSingleStep(step);
    spin->setGeometry(place);
    return spin;
}

QScrollBar *makeScrollBar(QWidget *parent, const char *name, const QRect &place, int minimum,
        int maximum, int position)
{
    auto *bar = named(new QScrollBar(Qt::Horizontal, parent), name);
    bar->setRange(minimum, maximum);
    bar->setValue(position);
    bar->setGeometry(place);
    // Reached with Tab and moved with the arrows, so the keyboard alone can
    // set it; a click still leaves the focus where it was.
    bar->setFocusPolicy(Qt::TabFocus);
    return bar;
}

QFrame *makeFrame(QWidget *parent, const char *frameName, const char *labelName,
        const QString &caption, const QRect &place)
{
    auto *frame = named(new QFrame(parent), frameName);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(place.adjusted(0, 7, 0, 0));
    frame->lower();
    // The caption covers the frame's top line where it sits, so it needs a filled background.
    auto *label = makeLabel(parent, labelName, caption, place.x() + 8, place.y());
    label->setFixedHeight(15);
    label->setAutoFillBackground(true);
    return frame;
}

int integerOf(const QString &text)
{
    if (const std::optional<int> value = parseDecimalInt(text))
        return *value;
    throw CommandError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

} // namespace zavevad
