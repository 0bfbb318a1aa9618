#pragma once

#include <QDateTime>

// The program reads the date and the time only through a Clock, so tests can
// set them.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    // The texts the program compares and shows.
    QString timeText() const;      // "hh:mm:ss", 24-hour
    QString dateDigits() const;    // "yyyyMMdd"
};

class SystemClock : public Clock
{
public:
    QDateTime now() const override;
};
