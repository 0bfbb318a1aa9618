#include "BusyControl.h"

#include "Announcements.h"
#include "BusyView.h"
#include "compat/ErrorTrap.h"
#include "settings/Settings.h"
#include "system/Clock.h"

BusyControl::BusyControl(const Settings &settings, const Clock &clock, SessionRef session, BusyView &view)
    : m_settings(settings), m_clock(clock), m_session(std::move(session)), m_view(view)
{
}

void BusyControl::onBusyClicked()
{
    ErrorTrap::silent([this] { followBox(); });
}

void BusyControl::followBox()
{
    const bool busy = m_view.isBusyChecked();
    m_view.setChatBackgroundBusy(busy);
    EchoLinkSession &echoLink = m_session.get();
    echoLink.setBusyFlagA(busy);
    echoLink.setBusyFlagB(busy);
}

void BusyControl::setBusy(bool busy)
{
    if (m_view.isBusyChecked() == busy)
        return;
    m_view.setBusyChecked(busy);
    onBusyClicked();
}

void BusyControl::armSchedule(bool first, bool second)
{
    m_armed = {first, second};
}

void BusyControl::checkSchedule()
{
    ErrorTrap::silent([this] {
        const auto &schedule = m_settings.schedule;
        for (std::size_t i = 0; i < schedule.size(); ++i) {
            checkEdge(m_armed[i], schedule[i].start, true);
            checkEdge(m_armed[i], schedule[i].end, false);
        }
    });
}

// Each edge reads the clock anew, so a late one may already see the next
// second. A change the user did not make by hand is said aloud.
void BusyControl::checkEdge(bool armed, const QString &edge, bool busy)
{
    if (!armed || m_clock.timeText() != edge || m_view.isBusyChecked() == busy)
        return;
    setBusy(busy);
    m_view.announce(busy ? Announcements::busy : Announcements::notBusy);
}
