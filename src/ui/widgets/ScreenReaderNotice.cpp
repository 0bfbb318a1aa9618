#include "ScreenReaderNotice.h"

#include <QAccessible>

ScreenReaderNotice::ScreenReaderNotice(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("screenReaderNotice"));
    resize(0, 0);
}

void ScreenReaderNotice::announce(const QString &text)
{
    setAccessibleName(text);
    if (!QAccessible::isActive())
        return;
#ifdef Q_OS_WIN
    // Qt raises a text value change as UiaRaiseNotificationEvent where
    // Windows has it (10 1709 on), resolved at run time.
    QAccessibleValueChangeEvent event(this, text);
#else
    QAccessibleEvent event(this, QAccessible::ObjectShow);
#endif
    QAccessible::updateAccessibility(&event);
}
