#include "StandInBurst.h"

#include "echolink/standin/SimProtocol.h"

#include <QLocalSocket>

#include <algorithm>
#include <cmath>

using namespace SimProtocol;

namespace {

// Unique across bursts, so that two bursts at once never take each other's pongs.
qint64 nextPingId()
{
    static qint64 last = 0;
    return ++last;
}

} // namespace

StandInBurst::StandInBurst(qsizetype count, EventAt eventAt, double rate, QObject *parent)
    : QObject(parent), m_count(count), m_eventAt(std::move(eventAt)), m_rate(rate)
{
    m_roundTripsUs.reserve(std::size_t(count));
    m_due.setSingleShot(true);
    m_due.setTimerType(Qt::PreciseTimer);
    connect(&m_due, &QTimer::timeout, this, &StandInBurst::raiseNext);
    m_stall.setSingleShot(true);
    m_stall.setInterval(stallMs);
    connect(&m_stall, &QTimer::timeout, this, [this] {
        fail(QStringLiteral("no answer from Vorlane within %1 s after %2 of %3 events")
                 .arg(stallMs / 1000)
                 .arg(m_next - 1)
                 .arg(m_count));
    });
}

void StandInBurst::start(const QList<QLocalSocket *> &sessions)
{
    m_sessions = sessions;
    m_sinceStart.start();
    raiseNext();
}

void StandInBurst::pong(QLocalSocket *session, qint64 pingId)
{
    if (m_over || pingId != m_pingId || !m_waiting.remove(session) || !m_waiting.isEmpty())
        return;
    answered();
}

void StandInBurst::drop(QLocalSocket *session)
{
    if (!m_over && m_sessions.removeAll(session) > 0)
        fail(QStringLiteral("a Vorlane session went away after %1 of %2 events").arg(m_roundTripsUs.size()).arg(m_count));
}

void StandInBurst::forget(QLocalSocket *connection)
{
    if (m_over || m_sessions.removeAll(connection) == 0)
        return;
    if (m_sessions.isEmpty())
        fail(QStringLiteral("no Vorlane session is connected"));
    else if (m_waiting.remove(connection) && m_waiting.isEmpty())
        answered();
}

// Every session has handled the event in flight.
void StandInBurst::answered()
{
    m_roundTripsUs.push_back(m_sinceSent.nsecsElapsed() / 1000);
    m_stall.stop();
    if (m_next == m_count) {
        m_over = true;
        emit finished(summary());
        return;
    }
    raiseWhenDue();
}

qint64 StandInBurst::percentile(std::vector<qint64> values, int percent)
{
    if (values.empty())
        return 0;
    const auto rank = std::size_t(std::ceil(double(percent) / 100.0 * double(values.size())));
    const auto nth = values.begin() + std::ptrdiff_t(std::clamp<std::size_t>(rank, 1, values.size()) - 1);
    std::nth_element(values.begin(), nth, values.end());
    return *nth;
}

// At a rate, event n is due n / rate seconds after the start.
void StandInBurst::raiseWhenDue()
{
    if (m_rate <= 0) {
        raiseNext();
        return;
    }
    const auto dueMs = qint64(double(m_next) * 1000.0 / m_rate);
    const qint64 waitMs = dueMs - m_sinceStart.elapsed();
    if (waitMs <= 0)
        raiseNext();
    else
        m_due.start(int(waitMs));
}

// Event and ping go out in one write.
void StandInBurst::raiseNext()
{
    m_pingId = nextPingId();
    const QByteArray bytes = encode(m_eventAt(m_next++)) + encode(pingMessage(m_pingId));
    m_waiting = QSet<QLocalSocket *>(m_sessions.cbegin(), m_sessions.cend());
    m_stall.start();
    m_sinceSent.start();
    // A failing write can drop a session on the spot; walk a snapshot.
    const QList<QLocalSocket *> sessions = m_sessions;
    for (QLocalSocket *session : sessions) {
        if (m_over)
            return;
        session->write(bytes);
        session->flush();
    }
}

void StandInBurst::fail(const QString &reason)
{
    m_over = true;
    m_due.stop();
    m_stall.stop();
    emit failed(reason);
}

QString StandInBurst::summary() const
{
    return QStringLiteral("%1 events; round trip in microseconds: median %2, 99th percentile %3, largest %4")
        .arg(m_count)
        .arg(percentile(m_roundTripsUs, 50))
        .arg(percentile(m_roundTripsUs, 99))
        .arg(percentile(m_roundTripsUs, 100));
}
