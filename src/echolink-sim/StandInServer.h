#pragma once

#include <QHash>
#include <QJsonObject>
#include <QLocalServer>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>

class QLocalSocket;
class QLockFile;
class StandInBurst;

// The stand-in's side of the local socket: answers Vorlane's member calls,
// records them, raises events to every connected Vorlane session and obeys
// the command-line control requests.
//
// Every well-formed member call is recorded, also while calls fail, so a
// test can see what was attempted. A connection counts as a Vorlane session
// until it sends a control request. A burst is answered when it has ended;
// each control connection runs one at a time.
class StandInServer : public QObject
{
    Q_OBJECT

public:
    explicit StandInServer(QObject *parent = nullptr);
    ~StandInServer() override;

    // Serves name. False, with the reason in errorText, when another
    // stand-in already serves it or the socket cannot be set up.
    bool listen(const QString &name, QString &errorText);

    QString callsign() const { return m_callsign; }
    void setCallsign(const QString &callsign);
    bool failing() const { return m_failing; }
    void setFailing(bool failing);
    QStringList calls() const { return m_calls; }
    int sessionCount() const;

    // Sends the event to every Vorlane session; returns how many got it.
    int raise(const QJsonObject &event);

    // Asks to quit once no connection has been open for seconds (0: never).
    void setIdleExit(int seconds);

signals:
    void callsignChanged(const QString &callsign);
    void failingChanged(bool failing);
    void callRecorded(const QString &line);
    void sessionCountChanged(int count);
    void quitRequested();

private:
    struct Peer
    {
        QByteArray buffer;
        bool control = false;
    };

    void accept();
    void readFrom(QLocalSocket *socket);
    void drop(QLocalSocket *socket);
    void send(QLocalSocket *socket, const QJsonObject &message);
    // Nothing while the answer is yet to come (a burst).
    std::optional<QJsonObject> answer(QLocalSocket *socket, const QJsonObject &request);
    QJsonObject answerCall(qint64 id, const QJsonObject &request);
    std::optional<QJsonObject> answerControl(QLocalSocket *socket, qint64 id, const QJsonObject &request);
    std::optional<QJsonObject> startBurst(QLocalSocket *socket, qint64 id, const QJsonObject &request);
    void endBurst(QLocalSocket *socket, const QJsonObject &reply);
    QJsonObject answerEmit(qint64 id, const QJsonObject &request);
    QJsonObject answerSet(qint64 id, const QJsonObject &request);
    void updateIdleTimer();

    QLocalServer m_server;
    std::unique_ptr<QLockFile> m_lock;
    QHash<QLocalSocket *, Peer> m_peers;
    QString m_callsign = QStringLiteral("N0CALL");
    bool m_failing = false;
    QStringList m_calls;
    QHash<QLocalSocket *, StandInBurst *> m_bursts;
    QTimer m_idleTimer;
};
