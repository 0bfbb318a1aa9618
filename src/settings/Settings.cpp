#include "Settings.h"

#include "compat/Int16.h"
#include "system/Folders.h"

qint32 TimeLimit::totalSeconds() const
{
    return Int16::totalSeconds(hours, minutes, seconds);
}

QString Settings::logsFolder() const
{
    return programFolder + QStringLiteral("Logs") + Folders::separator();
}
