#pragma once

#include "SessionRef.h"

class BusyView;
class Clock;
class Module1;

// The Busy switch: chkBusy sets EchoLink's busy state and greys the chat
// history; the tick's schedule check ticks and clears it at the edges of the
// two schedule windows.
class BusyControl
{
public:
    BusyControl(const Module1 &module, const Clock &clock, SessionRef session, BusyView &view);

    // The box's click handler: lChat's background, then BusyFlagA and
    // BusyFlagB follow the box. Ends silently on an error.
    void chkBusy_Click();

    // A change of the box by the program: runs chkBusy_Click when the state
    // differs, nothing when the box already shows it.
    void setChkBusy(bool checked);

    // Step 1 of every tick: at each enabled window's start second the box is
    // ticked, at its end second cleared. Ends silently on an error.
    void CheckSchedule();

private:
    void followBox();
    void checkEdge(qint16 enabled, const QString &edge, bool checked);

    const Module1 &m_module;
    const Clock &m_clock;
    SessionRef m_session;
    BusyView &m_view;
};
