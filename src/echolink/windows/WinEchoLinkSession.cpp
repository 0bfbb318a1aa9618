#include "WinEchoLinkSession.h"

#include "com/ComError.h"
#include "EchoLinkBinding.h"
#include "echolink/EchoLinkError.h"

namespace {

template <typename Call>
auto translated(Call call)
{
    try {
        return call();
    } catch (const ComError &error) {
        throw EchoLinkError(error.what());
    }
}

} // namespace

WinEchoLinkSession::WinEchoLinkSession() = default;

// The binding releases the object; it copes with this happening inside one
// of its own event callbacks.
WinEchoLinkSession::~WinEchoLinkSession() = default;

std::unique_ptr<EchoLinkSession> WinEchoLinkSession::create()
{
    std::unique_ptr<WinEchoLinkSession> session(new WinEchoLinkSession);
    session->binding_ = translated([&] { return EchoLinkBinding::create(*session); });
    return session;
}

QString WinEchoLinkSession::stationCallsign()
{
    return QString::fromStdWString(translated([this] { return binding_->stationCallsign(); }));
}

void WinEchoLinkSession::sendChatText(const QString &text)
{
    translated([&] { binding_->sendChatText(text.toStdWString()); });
}

void WinEchoLinkSession::setBusyFlagA(bool busy)
{
    translated([&] { binding_->setBusyFlagA(busy); });
}

void WinEchoLinkSession::setBusyFlagB(bool busy)
{
    translated([&] { binding_->setBusyFlagB(busy); });
}

void WinEchoLinkSession::onClosing()
{
    emit closing();
}

void WinEchoLinkSession::onRX(bool receiving)
{
    emit receiveChanged(receiving);
}

void WinEchoLinkSession::onTX(bool transmitting)
{
    emit transmitChanged(transmitting);
}

void WinEchoLinkSession::onConnected(const std::wstring &callsign, const std::wstring &name,
                                     const std::wstring &address)
{
    emit connected(QString::fromStdWString(callsign), QString::fromStdWString(name),
                   QString::fromStdWString(address));
}

void WinEchoLinkSession::onDisConnected(const std::wstring &callsign)
{
    emit disconnected(QString::fromStdWString(callsign));
}

void WinEchoLinkSession::onChatTextReceived(const std::wstring &chatLine)
{
    emit chatTextReceived(QString::fromStdWString(chatLine));
}
