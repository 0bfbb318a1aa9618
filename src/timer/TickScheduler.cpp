#include "TickScheduler.h"

#include "system/Clock.h"

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
    emit tick();
    if (m_running)
        arm();
}

void TickScheduler::arm()
{
    m_timer.start(msUntilNextTick(m_clock.now().time().msec()));
}
