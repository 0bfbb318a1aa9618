#include "StandInWindow.h"

#include "StandInServer.h"
#include "echolink/standin/SimProtocol.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace SimProtocol;

StandInWindow::StandInWindow(StandInServer &server, QWidget *parent)
    : QWidget(parent)
    , m_server(server)
    , m_ownCallsign(new QLineEdit(server.callsign()))
    , m_failing(new QCheckBox(tr("Calls fail")))
    , m_call(new QLineEdit)
    , m_name(new QLineEdit)
    , m_addr(new QLineEdit)
    , m_chat(new QLineEdit)
    , m_calls(new QListWidget)
    , m_sessions(new QLabel)
    , m_lastEvent(new QLabel)
{
    setWindowTitle(tr("EchoLink stand-in"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(makeStationBox());
    layout->addWidget(makeEventBox());
    layout->addWidget(makeCallsBox(), 1);
    auto *status = new QHBoxLayout;
    status->addWidget(m_sessions);
    status->addStretch();
    status->addWidget(m_lastEvent);
    layout->addLayout(status);

    showSessionCount(server.sessionCount());
    connect(&server, &StandInServer::sessionCountChanged, this, &StandInWindow::showSessionCount);
    connect(&server, &StandInServer::callRecorded, m_calls, [this](const QString &line) {
        m_calls->addItem(line);
        m_calls->scrollToBottom();
    });
    connect(&server, &StandInServer::callsignChanged, m_ownCallsign, [this](const QString &callsign) {
        if (m_ownCallsign->text() != callsign)
            m_ownCallsign->setText(callsign);
    });
    connect(&server, &StandInServer::failingChanged, m_failing, &QCheckBox::setChecked);
}

QWidget *StandInWindow::makeStationBox()
{
    auto *box = new QGroupBox(tr("Own station"));
    auto *layout = new QHBoxLayout(box);
    layout->addWidget(new QLabel(tr("Callsign:")));
    layout->addWidget(m_ownCallsign, 1);
    layout->addWidget(m_failing);
    connect(m_ownCallsign, &QLineEdit::textEdited, &m_server, &StandInServer::setCallsign);
    connect(m_failing, &QCheckBox::toggled, &m_server, &StandInServer::setFailing);
    return box;
}

QWidget *StandInWindow::makeEventBox()
{
    auto *box = new QGroupBox(tr("Events"));
    auto *layout = new QGridLayout(box);
    const auto button = [this](const QString &text, auto onClick) {
        auto *b = new QPushButton(text);
        connect(b, &QPushButton::clicked, this, onClick);
        return b;
    };
    layout->addWidget(button(tr("TX on"), [this] { raiseEvent(txEvent(true), tr("TX on")); }), 0, 0);
    layout->addWidget(button(tr("TX off"), [this] { raiseEvent(txEvent(false), tr("TX off")); }), 0, 1);
    layout->addWidget(button(tr("RX on"), [this] { raiseEvent(rxEvent(true), tr("RX on")); }), 0, 2);
    layout->addWidget(button(tr("RX off"), [this] { raiseEvent(rxEvent(false), tr("RX off")); }), 0, 3);

    auto *station = new QFormLayout;
    station->addRow(tr("Callsign:"), m_call);
    station->addRow(tr("Name:"), m_name);
    station->addRow(tr("Address:"), m_addr);
    layout->addLayout(station, 1, 0, 3, 3);
    layout->addWidget(button(tr("Connected"),
                             [this] {
                                 raiseEvent(connectedEvent(m_call->text(), m_name->text(), m_addr->text()),
                                            tr("Connected"));
                             }),
                      1, 3);
    layout->addWidget(
        button(tr("DisConnected"), [this] { raiseEvent(disConnectedEvent(m_call->text()), tr("DisConnected")); }),
        2, 3);

    m_chat->setPlaceholderText(tr("CALL>message"));
    const auto sendChat = [this] { raiseEvent(chatTextReceivedEvent(m_chat->text()), tr("Chat")); };
    connect(m_chat, &QLineEdit::returnPressed, this, sendChat);
    layout->addWidget(m_chat, 4, 0, 1, 3);
    layout->addWidget(button(tr("Send chat"), sendChat), 4, 3);
    layout->addWidget(button(tr("Closing"), [this] { raiseEvent(closingEvent(), tr("Closing")); }), 5, 3);
    return box;
}

QWidget *StandInWindow::makeCallsBox()
{
    auto *box = new QGroupBox(tr("Calls received"));
    auto *layout = new QVBoxLayout(box);
    m_calls->setMinimumHeight(160);
    layout->addWidget(m_calls);
    m_calls->addItems(m_server.calls());
    return box;
}

void StandInWindow::raiseEvent(const QJsonObject &event, const QString &what)
{
    const int count = m_server.raise(event);
    m_lastEvent->setText(count > 0 ? tr("%1 sent").arg(what) : tr("%1 not sent: no Vorlane connected").arg(what));
}

void StandInWindow::showSessionCount(int count)
{
    m_sessions->setText(tr("Vorlane sessions: %1").arg(count));
}
