#include "TransmissionTimer.h"

#include "Announcements.h"
#include "BusyControl.h"
#include "TimerView.h"
#include "compat/AppInfo.h"
#include "compat/DesignColours.h"
#include "compat/ErrorTrap.h"
#include "compat/Int16.h"
#include "compat/NumberText.h"
#include "compat/Rounding.h"
#include "compat/RunTimeError.h"
#include "compat/Texts.h"
#include "settings/Settings.h"
#include "system/Beeper.h"
#include "system/Clock.h"

#include <QLocale>

#include <algorithm>
#include <utility>

namespace {

const int alarmHz = 1000;
const int alarmMs = 100;

struct Zone
{
    qint16 from;
    qint16 to;
    bool contains(qint16 level) const { return level >= from && level <= to; }
};

} // namespace

TransmissionTimer::TransmissionTimer(const Settings &settings, const Clock &clock, SessionRef session,
                                     Beeper &beeper, TimerView &view, BusyControl &busy)
    : m_settings(settings),
      m_clock(clock),
      m_session(std::move(session)),
      m_beeper(beeper),
      m_view(view),
      m_busy(busy),
      m_captionPrefix(AppInfo::captionPrefix())
{
}

void TransmissionTimer::resetCount()
{
    loadLimit();
    m_counting = false;
    m_waiting = false;
}

void TransmissionTimer::updateTotal()
{
    m_totalSeconds = m_settings.limit.totalSeconds();
}

void TransmissionTimer::applyLimit()
{
    loadLimit();
    updateTotal();
}

void TransmissionTimer::onTransmitChanged(bool transmitting)
{
    ErrorTrap::silent([&] {
        if (!m_settings.syncTransmit)
            return;
        if (transmitting)
            started(Event::Transmission);
        else
            ended();
    });
}

void TransmissionTimer::onReceiveChanged(bool receiving)
{
    ErrorTrap::silent([&] {
        if (!m_settings.syncReceive)
            return;
        if (receiving)
            started(Event::Reception);
        else
            ended();
    });
}

void TransmissionTimer::started(Event event)
{
    const bool transmission = event == Event::Transmission;
    showStatus(transmission ? DesignColours::transmitText : DesignColours::receiveText,
               transmission ? Texts::onAir : Texts::receive);
    m_counting = true;
    m_view.setStateLamp(transmission ? LampState::Transmitting : LampState::Receiving);
    loadLimit();
    if (transmission)
        m_transmitting = true;
    else
        m_receiving = true;
    m_waiting = true;
    m_inStandby = false;
    m_standbyLeft = m_settings.standbySeconds;
}

// The wait flag stays set, so the standby wait follows.
void TransmissionTimer::ended()
{
    m_view.setStatusText(QString());
    m_counting = false;
    m_view.setStateLamp(LampState::Idle);
    m_receiving = false;
    m_transmitting = false;
}

void TransmissionTimer::onTick()
{
    ErrorTrap::silent([this] { tick(); });
}

// Counts at most one second per tick and only when the clock's second has
// changed; a second that no tick falls in is not made up.
void TransmissionTimer::tick()
{
    m_busy.checkSchedule();
    showDayOfWeek();
    showCaption();
    if (m_clock.timeText() != m_lastTickTime) {
        standbyWait();
        countDown();
        m_view.setCountText(countText());
    }
    m_lastTickTime = m_clock.timeText();
}

// English abbreviations whatever the user's locale, so that Sunday and
// Saturday keep their colours.
void TransmissionTimer::showDayOfWeek()
{
    const QString day = QLocale::c().toString(m_clock.now().date(), QStringLiteral("ddd"));
    m_view.setDayText(day);
    QColor colour = DesignColours::weekday;
    if (day == QLatin1String("Sun"))
        colour = DesignColours::sunday;
    else if (day == QLatin1String("Sat"))
        colour = DesignColours::saturday;
    m_view.setDayColour(colour);
}

// A failing callsign call throws here and ends the tick before the count.
void TransmissionTimer::showCaption()
{
    if (m_view.isMinimised()) {
        m_view.setCaption(countText());
        return;
    }
    const QDateTime now = m_clock.now();
    const QString callsign = m_session.get().stationCallsign();
    m_view.setCaption(m_captionPrefix + QLocale::system().toString(now.date(), QLocale::ShortFormat)
                      + QLatin1Char(' ') + now.time().toString(QStringLiteral("HH:mm:ss"))
                      + QLatin1String("  <") + callsign + QLatin1Char('>'));
}

void TransmissionTimer::standbyWait()
{
    if (m_transmitting || m_receiving || !m_waiting)
        return;
    m_standbyLeft = Int16::sub(m_standbyLeft, 1);
    if (m_standbyLeft <= 0) {
        loadLimit();
        m_waiting = false;
        m_view.setStatusText(QString());
        m_view.setStateLamp(LampState::Idle);
        if (std::exchange(m_inStandby, false))
            m_view.announce(Announcements::ready);
    } else {
        if (!std::exchange(m_inStandby, true))
            m_view.announce(Announcements::standby);
        showStatus(DesignColours::waitText, Texts::wait);
        m_view.setStateLamp(LampState::Waiting);
        m_remaining = {0, 0, m_standbyLeft};
    }
    setLevel(m_standbyLeft);
}

// An overflow or a total of 0 throws after the decrease and ends the tick
// before the count is shown and the tick's second taken.
void TransmissionTimer::countDown()
{
    if (!m_counting)
        return;
    Count &r = m_remaining;
    if (Int16::add(Int16::add(r.seconds, r.minutes), r.hours) == 0) {
        m_counting = false;
        showStatus(DesignColours::overText, Texts::over);
        m_view.requestAttention();
        m_view.announce(Announcements::over);
        return;
    }
    r.seconds = Int16::sub(r.seconds, 1);
    if (r.seconds < 0) {
        r.seconds = 59;
        r.minutes = Int16::sub(r.minutes, 1);
        if (r.minutes < 0) {
            r.minutes = 59;
            r.hours = Int16::sub(r.hours, 1);
        }
    }
    const qint16 left = Int16::add(Int16::add(Int16::mul(r.hours, 3600), Int16::mul(r.minutes, 60)), r.seconds);
    if (m_totalSeconds == 0)
        throw DivisionByZeroError();
    setLevel(Rounding::toInt16(90.0 - (double(left) / m_totalSeconds) * 90.0));
}

void TransmissionTimer::setLevel(qint16 level)
{
    ErrorTrap::silent([&] { paintAndAlarm(level); });
}

// Each zone is as wide as one second of the limit is in lamps, so a short
// limit cannot step over a zone without a beep.
void TransmissionTimer::paintAndAlarm(qint16 level)
{
    if (m_totalSeconds == 0)
        throw DivisionByZeroError();
    const qint16 w = Rounding::toInt16(90.0 / m_totalSeconds - 1.0);
    const Zone zones[] = {
        {30, Int16::add(30, w)},
        {60, Int16::add(60, Int16::mul(2, w))},
        {75, Int16::add(75, Int16::mul(10, w))},
    };

    m_view.setLampLevel(level);

    const Settings &s = m_settings;
    const bool sounding = (s.syncTransmit && m_transmitting) || !m_receiving;
    const bool inZone = std::any_of(std::begin(zones), std::end(zones), [&](const Zone &z) { return z.contains(level); });
    if (sounding)
        announceAlarmPoint(level, inZone);
    if (level == m_lastLevel || !s.alarm || !sounding)
        return;
    for (const Zone &zone : zones) {
        if (zone.contains(level))
            alarmBeep();
    }
    m_lastLevel = level;
}

void TransmissionTimer::announceAlarmPoint(qint16 level, bool inZone)
{
    if (level == m_lastSpokenLevel)
        return;
    m_lastSpokenLevel = level;
    // At none left "Over" follows at once and says it.
    if (inZone && secondsLeft() > 0)
        m_view.announce(Announcements::timeLeft(secondsLeft()));
}

qint32 TransmissionTimer::secondsLeft() const
{
    return m_remaining.hours * 3600 + m_remaining.minutes * 60 + m_remaining.seconds;
}

void TransmissionTimer::alarmBeep()
{
    ErrorTrap::silent([this] { m_beeper.beep(alarmHz, alarmMs); });
}

void TransmissionTimer::loadLimit()
{
    const TimeLimit &limit = m_settings.limit;
    m_remaining = {limit.hours, limit.minutes, limit.seconds};
}

void TransmissionTimer::showStatus(const QColor &textColour, const QString &text)
{
    m_view.setStatusBackground(DesignColours::statusBackground);
    m_view.setStatusColour(textColour);
    m_view.setStatusText(text);
}

QString TransmissionTimer::countText() const
{
    return NumberText::twoDigits(m_remaining.hours) + QLatin1Char(':')
        + NumberText::twoDigits(m_remaining.minutes) + QLatin1Char(':')
        + NumberText::twoDigits(m_remaining.seconds);
}
