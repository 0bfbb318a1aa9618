#pragma once

#include "SessionRef.h"

#include <QString>

#include <array>

class Beeper;
class BusyControl;
class Clock;
class Module1;
class TimerView;

// The transmission timer: EchoLink's TX and RX events restart a count-down
// from the limit, the one-second tick lowers it, turns the share used into a
// level of 0 to 90 lamps and beeps as the level enters the alarm zones; a
// standby wait follows each transmission. Every handler ends silently on an
// error.
class TransmissionTimer
{
public:
    TransmissionTimer(Module1 &module, const Clock &clock, SessionRef session, Beeper &beeper,
                      TimerView &view, BusyControl &busy, QString titleText);

    void Echo_TX(bool ecTX);
    void Echo_RX(bool ecRX);

    // The tick: schedule check, day label and caption, then - only in a new
    // clock second - standby wait, count-down and the count display.
    void Timer1_Timer();

    // Paints the lamp bar for level and sounds the alarm for it.
    void SetLevel(qint16 level);

    void AlarmBeep(int frequency, int duration);

    // Base of the caption, "VLN Ver.0.1.14 ".
    QString TitleText;
    // The status words, indexes 1 to 4; index 0 is unused.
    std::array<QString, 5> MesgWord;

    bool InTX = false;
    bool InRX = false;
    bool Waiting = false;
    qint16 StandbyLeft = 0;

private:
    enum class Event { Transmission, Reception };

    void started(Event event);
    void ended();
    void tick();
    void showDayOfWeek();
    void showCaption();
    void standbyWait();
    void countDown();
    void showCount();
    void paintAndAlarm(qint16 level);
    void loadLimit();
    void showMesg(quint32 foreBgr, const QString &text);
    QString countText() const;

    Module1 &m_module;
    const Clock &m_clock;
    SessionRef m_session;
    Beeper &m_beeper;
    TimerView &m_view;
    BusyControl &m_busy;
};
