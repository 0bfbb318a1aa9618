#include "AccessibleWidgets.h"

#include "EtchedRule.h"
#include "LampBar.h"
#include "LampBarAccessible.h"
#include "ScreenReaderNotice.h"
#include "StateLamp.h"
#include "StatusPanel.h"

#include <QAccessibleWidget>

namespace AccessibleWidgets {

namespace {

QAccessibleInterface *create(const QString &, QObject *object)
{
    if (auto *bar = qobject_cast<LampBar *>(object))
        return new LampBarAccessible(bar);
    if (auto *lamp = qobject_cast<StateLamp *>(object))
        return new QAccessibleWidget(lamp, QAccessible::Graphic);
    if (auto *panel = qobject_cast<StatusPanel *>(object))
        return new QAccessibleWidget(panel, QAccessible::StatusBar);
    if (auto *notice = qobject_cast<ScreenReaderNotice *>(object))
        return new QAccessibleWidget(notice, QAccessible::Notification);
    if (auto *rule = qobject_cast<EtchedRule *>(object))
        return new QAccessibleWidget(rule, QAccessible::Separator);
    return nullptr;
}

} // namespace

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(create);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace AccessibleWidgets
