#pragma once

#include "echolink/SessionRef.h"

#include <QString>

#include <array>

class BusyView;
class Clock;
struct Settings;

// The Busy switch: the box sets EchoLink's busy state and greys the chat
// history; the tick's schedule check ticks and clears it at the edges of the
// two daily schedule windows that the schedule dialog has armed.
class BusyControl
{
public:
    BusyControl(const Settings &settings, const Clock &clock, SessionRef session, BusyView &view);

    // The box was clicked: the history's background, then both of
    // EchoLink's busy flags follow the box. Ends silently on an error.
    void onBusyClicked();

    // A change of the box by the program: acts as a click when the state
    // differs, does nothing when the box already shows it.
    void setBusy(bool busy);

    // First step of every tick: at each armed window's start second the box
    // is ticked, at its end second cleared, and the change announced. Ends
    // silently on an error.
    void checkSchedule();

    // Which of the two windows the schedule check follows; none after
    // start-up, until the schedule dialog's Set.
    void armSchedule(bool first, bool second);
    bool isArmed(int window) const { return m_armed.at(window); }

private:
    void followBox();
    void checkEdge(bool armed, const QString &edge, bool busy);

    const Settings &m_settings;
    const Clock &m_clock;
    SessionRef m_session;
    BusyView &m_view;
    std::array<bool, 2> m_armed{};
};
