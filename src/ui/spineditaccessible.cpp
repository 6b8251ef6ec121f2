#include "ui/spineditaccessible.h"

#include "ui/spinedit.h"

#include <QAccessibleWidget>
#include <QLineEdit>

namespace zavevad {

namespace {

class SpinEditAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit SpinEditAccessible(SpinEdit *spin) : QAccessibleWidget(spin, QAccessible::SpinBox) { }

    SpinEdit *spin() const { return static_cast<SpinEdit *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return spin()->text();
        if (t == QAccessible::Name && spin()->accessibleName().isEmpty())
            return spin()->lineEdit()->accessibleName();
        return QAccessibleWidget::text(t);
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override
    {
        const std::optional<int> value = spin()->value();
        return value ? QVariant(*value) : QVariant(spin()->text());
    }
    void setCurrentValue(const QVariant &value) override { spin()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return spin()->maximum(); }
    QVariant minimumValue() const override { return spin()->minimum(); }
    QVariant minimumStepSize() const override { return 1; }
};

} // namespace

QAccessibleInterface *spinEditAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(SpinEdit::staticMetaObject.className()))
        return new SpinEditAccessible(static_cast<SpinEdit *>(object));
    return nullptr;
}

} // namespace zavevad
