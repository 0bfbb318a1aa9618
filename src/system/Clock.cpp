#include "Clock.h"

QString Clock::timeText() const
{
    return now().time().toString(QStringLiteral("HH:mm:ss"));
}

QString Clock::dateDigits() const
{
    return now().date().toString(QStringLiteral("yyyyMMdd"));
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}
