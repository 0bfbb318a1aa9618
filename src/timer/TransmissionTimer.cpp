#include "TransmissionTimer.h"

#include "BusyControl.h"
#include "LampColours.h"
#include "TimerView.h"
#include "platform/Beeper.h"
#include "platform/Clock.h"
#include "platform/ErrorTrap.h"
#include "platform/Int16.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"
#include "platform/VbColor.h"
#include "platform/VbError.h"
#include "settings/Module1.h"

#include <QLocale>

namespace {

const quint32 mesgBack = 0xE0E0E0;
const quint32 txFore = 0x0000C0;
const quint32 rxFore = 0x00C000;
const quint32 waitFore = 0x00C0C0;
const quint32 overFore = 0x0000FF;
const quint32 txLed = 0x0000FF;
const quint32 rxLed = 0x80FF80;
const quint32 waitLed = 0x00FFFF;
const quint32 idleLed = 0x808080;
const quint32 dayBlack = 0x000000;
const quint32 sundayRed = 0x0000FF;
const quint32 saturdayBlue = 0xFF0000;

const int alarmHz = 1000;
const int alarmMs = 100;

struct Zone
{
    qint16 from;
    qint16 to;
    bool contains(qint16 level) const { return level >= from && level <= to; }
};

} // namespace

TransmissionTimer::TransmissionTimer(Module1 &module, const Clock &clock, SessionRef session,
                                     Beeper &beeper, TimerView &view, BusyControl &busy,
                                     QString titleText)
    : TitleText(std::move(titleText)),
      MesgWord{QString(), QStringLiteral("On Air"), QStringLiteral("Receive"), QStringLiteral("Wait"),
               QStringLiteral("Over !!")},
      m_module(module),
      m_clock(clock),
      m_session(std::move(session)),
      m_beeper(beeper),
      m_view(view),
      m_busy(busy)
{
}

void TransmissionTimer::Echo_TX(bool ecTX)
{
    ErrorTrap::silent([&] {
        if (!m_module.settings.SyncTX)
            return;
        if (ecTX)
            started(Event::Transmission);
        else
            ended();
    });
}

void TransmissionTimer::Echo_RX(bool ecRX)
{
    ErrorTrap::silent([&] {
        if (!m_module.settings.SyncRX)
            return;
        if (ecRX)
            started(Event::Reception);
        else
            ended();
    });
}

void TransmissionTimer::started(Event event)
{
    const bool tx = event == Event::Transmission;
    showMesg(tx ? txFore : rxFore, MesgWord[tx ? 1 : 2]);
    m_module.Counting = true;
    m_view.setMonLedColour(fromBgr(tx ? txLed : rxLed));
    loadLimit();
    if (tx)
        InTX = true;
    else
        InRX = true;
    Waiting = true;
    StandbyLeft = m_module.settings.Standby;
}

// Waiting stays true, so the standby wait follows.
void TransmissionTimer::ended()
{
    m_view.setMesgText(QString());
    m_module.Counting = false;
    m_view.setMonLedColour(fromBgr(idleLed));
    InRX = false;
    InTX = false;
}

void TransmissionTimer::Timer1_Timer()
{
    ErrorTrap::silent([this] { tick(); });
}

// Counts at most one second per tick and only when the clock's second has
// changed; a second that no tick falls in is not made up.
void TransmissionTimer::tick()
{
    m_busy.CheckSchedule();
    showDayOfWeek();
    showCaption();
    if (m_clock.timeText() != m_module.LastTick) {
        standbyWait();
        countDown();
        showCount();
    }
    m_module.LastTick = m_clock.timeText();
}

// English abbreviations whatever the user's locale, so that Sunday and
// Saturday keep their colours.
void TransmissionTimer::showDayOfWeek()
{
    const QString day = QLocale::c().toString(m_clock.now().date(), QStringLiteral("ddd"));
    m_view.setDayText(day);
    quint32 colour = dayBlack;
    if (day == QLatin1String("Sun"))
        colour = sundayRed;
    else if (day == QLatin1String("Sat"))
        colour = saturdayBlue;
    m_view.setDayForeColour(fromBgr(colour));
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
    m_view.setCaption(TitleText + QLocale::system().toString(now.date(), QLocale::ShortFormat)
                      + QLatin1Char(' ') + now.time().toString(QStringLiteral("HH:mm:ss"))
                      + QLatin1String("  <") + callsign + QLatin1Char('>'));
}

void TransmissionTimer::standbyWait()
{
    if (InTX || InRX || !Waiting)
        return;
    StandbyLeft = Int16::sub(StandbyLeft, 1);
    if (StandbyLeft <= 0) {
        loadLimit();
        Waiting = false;
        m_view.setMesgText(QString());
        m_view.setMonLedColour(fromBgr(idleLed));
    } else {
        showMesg(waitFore, MesgWord[3]);
        m_view.setMonLedColour(fromBgr(waitLed));
        m_module.RemainHH = 0;
        m_module.RemainMM = 0;
        m_module.RemainSS = StandbyLeft;
    }
    SetLevel(StandbyLeft);
}

// An overflow of n or a TimerTotal of 0 throws after the decrease and ends
// the tick before the count is shown and LastTick taken.
void TransmissionTimer::countDown()
{
    if (!m_module.Counting)
        return;
    Module1 &m = m_module;
    if (Int16::add(Int16::add(m.RemainSS, m.RemainMM), m.RemainHH) == 0) {
        m.Counting = false;
        showMesg(overFore, MesgWord[4]);
        m_view.requestAttention();
        return;
    }
    m.RemainSS = Int16::sub(m.RemainSS, 1);
    if (m.RemainSS < 0) {
        m.RemainSS = 59;
        m.RemainMM = Int16::sub(m.RemainMM, 1);
        if (m.RemainMM < 0) {
            m.RemainMM = 59;
            m.RemainHH = Int16::sub(m.RemainHH, 1);
        }
    }
    const qint16 n = Int16::add(Int16::add(Int16::mul(m.RemainHH, 3600), Int16::mul(m.RemainMM, 60)),
                                m.RemainSS);
    if (m.TimerTotal == 0)
        throw DivisionByZeroError();
    SetLevel(Rounding::toInt16(90.0 - (double(n) / m.TimerTotal) * 90.0));
}

void TransmissionTimer::showCount()
{
    m_view.setCountText(countText());
}

void TransmissionTimer::SetLevel(qint16 level)
{
    ErrorTrap::silent([&] { paintAndAlarm(level); });
}

void TransmissionTimer::paintAndAlarm(qint16 level)
{
    const qint32 total = m_module.TimerTotal;
    if (total == 0)
        throw DivisionByZeroError();
    const qint16 w = Rounding::toInt16(90.0 / total - 1.0);
    const Zone zones[] = {
        {30, Int16::add(30, w)},
        {60, Int16::add(60, Int16::mul(2, w))},
        {75, Int16::add(75, Int16::mul(10, w))},
    };

    m_view.setLampColours(LampColours::forLevel(level));

    const Settings &s = m_module.settings;
    if (level == m_module.LastLevel || !s.Alarm || !((s.SyncTX && InTX) || !InRX))
        return;
    for (const Zone &zone : zones) {
        if (zone.contains(level))
            AlarmBeep(alarmHz, alarmMs);
    }
    m_module.LastLevel = level;
}

void TransmissionTimer::AlarmBeep(int frequency, int duration)
{
    ErrorTrap::silent([&] { m_beeper.beep(frequency, duration); });
}

void TransmissionTimer::loadLimit()
{
    const Settings &s = m_module.settings;
    m_module.RemainHH = s.TimerHH;
    m_module.RemainMM = s.TimerMM;
    m_module.RemainSS = s.TimerSS;
}

void TransmissionTimer::showMesg(quint32 foreBgr, const QString &text)
{
    m_view.setMesgBackColour(fromBgr(mesgBack));
    m_view.setMesgForeColour(fromBgr(foreBgr));
    m_view.setMesgText(text);
}

QString TransmissionTimer::countText() const
{
    return NumberText::twoDigits(m_module.RemainHH) + QLatin1Char(':')
        + NumberText::twoDigits(m_module.RemainMM) + QLatin1Char(':')
        + NumberText::twoDigits(m_module.RemainSS);
}
