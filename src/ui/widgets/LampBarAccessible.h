#pragma once

#include <QAccessibleWidget>

class LampBar;

// The lamp bar as assistive technology sees it: a progress bar named
// "Limit used" whose value is the number of lamps lit, 0 to 90.
class LampBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit LampBarAccessible(LampBar *bar);

    QString text(QAccessible::Text t) const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    const LampBar *bar() const;
};
