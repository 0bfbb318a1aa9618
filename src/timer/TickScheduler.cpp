#include "TickScheduler.h"

#include "system/Clock.h"

#include <cstdio>

namespace {

// VORLANE_TRACE_TICKS set: each tick writes "tick <ms since the epoch>" to
// stderr as it fires, so bench/soak.sh can see how late ticks come.
bool traceTicks()
{
    static const bool trace = qEnvironmentVariableIsSet("VORLANE_TRACE_TICKS");
    return trace;
}

} // namespace

TickScheduler::TickScheduler(const Clock &clock, QObject *parent)
    : QObject(parent), m_clock(clock)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickScheduler::fire);
}

int TickScheduler::msUntilNextTick(int msIntoSecond)
{
    return 1000 + TargetMs - msIntoSecond;
}

void TickScheduler::start()
{
    m_running = true;
    arm();
}

void TickScheduler::stop()
{
    m_running = false;
    m_timer.stop();
}

bool TickScheduler::isActive() const
{
    return m_running;
}

// Armed after the handlers have run, so a tick slowed by its beeps still
// aims at the middle of the next second; a handler may have stopped us.
void TickScheduler::fire()
{
    if (traceTicks())
        std::fprintf(stderr, "tick %lld\n", static_cast<long long>(m_clock.now().toMSecsSinceEpoch()));
    emit tick();
    if (m_running)
        arm();
}

void TickScheduler::arm()
{
    m_timer.start(msUntilNextTick(m_clock.now().time().msec()));
}
