#pragma once

#include <QElapsedTimer>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <functional>
#include <vector>

class QLocalSocket;

// A burst of events for the Vorlane sessions, raised as fast as they take
// them: each event goes out with a ping behind it, and the next one only once
// every session has answered that ping (and, at a rate, not before its
// time). The time from sending an event to the last pong is its round trip.
class StandInBurst : public QObject
{
    Q_OBJECT

public:
    // The event at an index, 0 to count - 1.
    using EventAt = std::function<QJsonObject(qsizetype index)>;

    // Without a pong for this long the burst gives up.
    static constexpr int stallMs = 10000;

    // rate: events a second at most; 0 for no limit.
    StandInBurst(qsizetype count, EventAt eventAt, double rate, QObject *parent = nullptr);

    // Sends the first event to sessions.
    void start(const QList<QLocalSocket *> &sessions);
    void pong(QLocalSocket *session, qint64 pingId);
    // A session has gone; the burst cannot go on without it.
    void drop(QLocalSocket *session);
    // A connection taken for a session has turned out to be a control
    // connection; the burst goes on without it.
    void forget(QLocalSocket *connection);

    // Nearest-rank percentile (0 to 100) of values, 0 when there are none.
    static qint64 percentile(std::vector<qint64> values, int percent);

signals:
    // "N events; round trip in microseconds: median M, 99th percentile P, largest L"
    void finished(const QString &summary);
    void failed(const QString &reason);

private:
    void raiseNext();
    void raiseWhenDue();
    void answered();
    void fail(const QString &reason);
    QString summary() const;

    const qsizetype m_count;
    const EventAt m_eventAt;
    const double m_rate;
    qsizetype m_next = 0;
    qint64 m_pingId = 0;
    QList<QLocalSocket *> m_sessions;
    QSet<QLocalSocket *> m_waiting;
    QElapsedTimer m_sinceStart;
    QElapsedTimer m_sinceSent;
    std::vector<qint64> m_roundTripsUs;
    QTimer m_due;
    QTimer m_stall;
    bool m_over = false;
};
