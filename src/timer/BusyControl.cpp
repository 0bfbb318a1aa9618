#include "BusyControl.h"

#include "BusyView.h"
#include "platform/Clock.h"
#include "platform/ErrorTrap.h"
#include "settings/Module1.h"

BusyControl::BusyControl(const Module1 &module, const Clock &clock, SessionRef session, BusyView &view)
    : m_module(module), m_clock(clock), m_session(std::move(session)), m_view(view)
{
}

void BusyControl::chkBusy_Click()
{
    ErrorTrap::silent([this] { followBox(); });
}

void BusyControl::followBox()
{
    const bool busy = m_view.isChkBusyChecked();
    m_view.setChatBackgroundBusy(busy);
    EchoLinkSession &echo = m_session.get();
    echo.setBusyFlagA(busy);
    echo.setBusyFlagB(busy);
}

void BusyControl::setChkBusy(bool checked)
{
    if (m_view.isChkBusyChecked() == checked)
        return;
    m_view.setChkBusyChecked(checked);
    chkBusy_Click();
}

void BusyControl::CheckSchedule()
{
    ErrorTrap::silent([this] {
        const Settings &s = m_module.settings;
        checkEdge(m_module.Timer01On, s.Timer01Start, true);
        checkEdge(m_module.Timer01On, s.Timer01End, false);
        checkEdge(m_module.Timer02On, s.Timer02Start, true);
        checkEdge(m_module.Timer02On, s.Timer02End, false);
    });
}

// Each test reads the clock anew, so a test late in the call may see the
// next second.
void BusyControl::checkEdge(qint16 enabled, const QString &edge, bool checked)
{
    if (enabled == 1 && m_clock.timeText() == edge)
        setChkBusy(checked);
}
