#include "LampBarAccessible.h"

#include "LampBar.h"

LampBarAccessible::LampBarAccessible(LampBar *bar) : QAccessibleWidget(bar, QAccessible::ProgressBar)
{
}

const LampBar *LampBarAccessible::bar() const
{
    return static_cast<const LampBar *>(widget());
}

QString LampBarAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return QStringLiteral("Limit used");
    case QAccessible::Value:
        return QStringLiteral("%1 of %2 lamps").arg(bar()->litLamps()).arg(LampBar::LampCount);
    default:
        return QAccessibleWidget::text(t);
    }
}

void *LampBarAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QVariant LampBarAccessible::currentValue() const
{
    return bar()->litLamps();
}

// The bar shows the timer; nobody sets it from outside.
void LampBarAccessible::setCurrentValue(const QVariant &)
{
}

QVariant LampBarAccessible::maximumValue() const
{
    return LampBar::LampCount;
}

QVariant LampBarAccessible::minimumValue() const
{
    return 0;
}

QVariant LampBarAccessible::minimumStepSize() const
{
    return 1;
}
