#include "WinEchoLinkSession.h"

#include "ComError.h"
#include "EchoLinkBinding.h"
#include "platform/EchoLinkError.h"

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
    try {
        session->binding_ = EchoLinkBinding::create(*session);
    } catch (const ComError &) {
        return nullptr;
    }
    return session;
}

QString WinEchoLinkSession::stationCallsign()
{
    return QString::fromStdWString(translated([this] { return binding_->stationCallsign(); }));
}

void WinEchoLinkSession::SendChatText(const QString &text)
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
    emit Closing();
}

void WinEchoLinkSession::onRX(bool ecRX)
{
    emit RX(ecRX);
}

void WinEchoLinkSession::onTX(bool ecTX)
{
    emit TX(ecTX);
}

void WinEchoLinkSession::onConnected(const std::wstring &sCall, const std::wstring &sName,
                                     const std::wstring &sAddr)
{
    emit Connected(QString::fromStdWString(sCall), QString::fromStdWString(sName),
                   QString::fromStdWString(sAddr));
}

void WinEchoLinkSession::onDisConnected(const std::wstring &sCall)
{
    emit DisConnected(QString::fromStdWString(sCall));
}

void WinEchoLinkSession::onChatTextReceived(const std::wstring &sText)
{
    emit ChatTextReceived(QString::fromStdWString(sText));
}
