#include "Announcements.h"

#include <QStringList>

namespace Announcements {

namespace {

QString counted(int n, const char *unit)
{
    return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(unit)).arg(n == 1 ? "" : "s");
}

} // namespace

QString timeLeft(int seconds)
{
    const int hours = seconds / 3600;
    const int minutes = seconds / 60 % 60;
    const int rest = seconds % 60;
    QStringList parts;
    if (hours > 0)
        parts << counted(hours, "hour");
    if (minutes > 0)
        parts << counted(minutes, "minute");
    if (rest > 0 || parts.isEmpty())
        parts << counted(rest, "second");
    return parts.join(QLatin1Char(' ')) + QStringLiteral(" left");
}

} // namespace Announcements
