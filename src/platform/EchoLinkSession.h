#pragma once

#include <QObject>
#include <QString>

// The session with EchoLink's automation object: its six events and the five
// members the program calls. Every member call can fail; a failure throws
// EchoLinkError (a VbError), which the calling handler's trap handles.
// Events are delivered on the GUI thread between other handlers, never
// inside one.
class EchoLinkSession : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // StationInfo, then Callsign of the own-station object.
    virtual QString stationCallsign() = 0;
    virtual void SendChatText(const QString &text) = 0;
    virtual void setBusyFlagA(bool busy) = 0;
    virtual void setBusyFlagB(bool busy) = 0;

signals:
    void Closing();
    void RX(bool ecRX);
    void TX(bool ecTX);
    void Connected(const QString &sCall, const QString &sName, const QString &sAddr);
    void DisConnected(const QString &sCall);
    void ChatTextReceived(const QString &sText);
};
