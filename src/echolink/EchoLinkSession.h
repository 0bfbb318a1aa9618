#pragma once

#include <QObject>
#include <QString>

// The session with EchoLink's automation object: its six events and the
// members the program calls. Every member call can fail; a failure throws
// EchoLinkError, which the calling handler's trap handles. Events are
// delivered on the GUI thread between other handlers, never inside one.
class EchoLinkSession : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // StationInfo, then Callsign of the own-station object.
    virtual QString stationCallsign() = 0;
    virtual void sendChatText(const QString &text) = 0;
    // EchoLink keeps its busy state in two properties; both are set.
    virtual void setBusyFlagA(bool busy) = 0;
    virtual void setBusyFlagB(bool busy) = 0;

signals:
    // EchoLink is shutting down.
    void closing();
    void receiveChanged(bool receiving);
    void transmitChanged(bool transmitting);
    void connected(const QString &callsign, const QString &name, const QString &address);
    void disconnected(const QString &callsign);
    void chatTextReceived(const QString &chatLine);
};
