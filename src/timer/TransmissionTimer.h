#pragma once

#include "echolink/SessionRef.h"

#include <QColor>
#include <QString>

class Beeper;
class BusyControl;
class Clock;
struct Settings;
class TimerView;

// The transmission timer: EchoLink's transmit and receive events restart a
// count-down from the limit, the one-second tick lowers it, turns the share
// used into a level of 0 to 90 lamps and beeps as the level enters the alarm
// zones; a standby wait follows each transmission. The count is kept in
// 16-bit steps; an overflow ends the handler it happens in, silently, as
// every other error in a handler does.
class TransmissionTimer
{
public:
    TransmissionTimer(const Settings &settings, const Clock &clock, SessionRef session,
                      Beeper &beeper, TimerView &view, BusyControl &busy);

    // Loads the count with the limit and ends any standby wait.
    void resetCount();
    // Takes the limit in seconds from the settings; throws OverflowError
    // past 32767 (09:06:07).
    void updateTotal();
    // The limit has changed: the count starts again from it.
    void applyLimit();

    void onTransmitChanged(bool transmitting);
    void onReceiveChanged(bool receiving);

    // The tick: schedule check, day label and caption, then - only in a new
    // clock second - standby wait, count-down and the count display.
    void onTick();

    // Paints the lamp bar for level and sounds the alarm for it.
    void setLevel(qint16 level);

    QString countText() const; // "HH:MM:SS"
    bool isCounting() const { return m_counting; }
    qint32 totalSeconds() const { return m_totalSeconds; }

private:
    enum class Event { Transmission, Reception };

    struct Count
    {
        qint16 hours = 0;
        qint16 minutes = 0;
        qint16 seconds = 0;
    };

    void started(Event event);
    void ended();
    void tick();
    void showDayOfWeek();
    void showCaption();
    void standbyWait();
    void countDown();
    void paintAndAlarm(qint16 level);
    void alarmBeep();
    void announceAlarmPoint(qint16 level, bool inZone);
    qint32 secondsLeft() const;
    void loadLimit();
    void showStatus(const QColor &textColour, const QString &text);

    const Settings &m_settings;
    const Clock &m_clock;
    SessionRef m_session;
    Beeper &m_beeper;
    TimerView &m_view;
    BusyControl &m_busy;
    const QString m_captionPrefix;

    Count m_remaining;
    bool m_counting = false;
    qint32 m_totalSeconds = 0;
    // The clock's "HH:MM:SS" at the previous tick: the count moves only when
    // it has changed.
    QString m_lastTickTime;
    qint16 m_lastLevel = 0;
    // The level last announced: the alarm points are spoken at the same
    // moments as the beeps, also with Alarm off.
    qint16 m_lastSpokenLevel = 0;
    bool m_transmitting = false;
    bool m_receiving = false;
    bool m_waiting = false;
    qint16 m_standbyLeft = 0;
    // "Wait" is shown: the standby wait has begun and not yet ended.
    bool m_inStandby = false;
};
