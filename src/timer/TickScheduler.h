#pragma once

#include <QObject>
#include <QTimer>

class Clock;

// The one-second tick, kept in the middle of the wall-clock second. A plain
// 1000 ms timer whose phase sits near a second boundary lets ordinary jitter
// put two ticks into one second and none into the next, and the count then
// loses that second. Each tick here is aimed anew at 500 ms past the next
// second, read from the Clock, so jitter of up to +-499 ms loses nothing and
// a wall-clock step corrects itself on the next tick.
class TickScheduler : public QObject
{
    Q_OBJECT

public:
    static constexpr int TargetMs = 500;

    explicit TickScheduler(const Clock &clock, QObject *parent = nullptr);

    // From a moment msIntoSecond (0..999) past a wall-clock second to
    // TargetMs past the following second: 501..1500 ms.
    static int msUntilNextTick(int msIntoSecond);

    void start();
    void stop();
    bool isActive() const;

signals:
    void tick();

private:
    void fire();
    void arm();

    const Clock &m_clock;
    QTimer m_timer;
    bool m_running = false;
};
