#pragma once

#include <QJsonObject>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class StandInServer;

// The stand-in's window: buttons that raise EchoLink's events, the own
// callsign, the "calls fail" switch and the member calls received so far.
class StandInWindow : public QWidget
{
    Q_OBJECT

public:
    explicit StandInWindow(StandInServer &server, QWidget *parent = nullptr);

private:
    QWidget *makeStationBox();
    QWidget *makeEventBox();
    QWidget *makeCallsBox();
    void raiseEvent(const QJsonObject &event, const QString &what);
    void showSessionCount(int count);

    StandInServer &m_server;
    QLineEdit *m_ownCallsign;
    QCheckBox *m_failing;
    QLineEdit *m_call;
    QLineEdit *m_name;
    QLineEdit *m_addr;
    QLineEdit *m_chat;
    QListWidget *m_calls;
    QLabel *m_sessions;
    QLabel *m_lastEvent;
};
