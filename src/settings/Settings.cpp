#include "Settings.h"

#include "compat/Int16.h"

qint32 TimeLimit::totalSeconds() const
{
    return Int16::totalSeconds(hours, minutes, seconds);
}
