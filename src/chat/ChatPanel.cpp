#include "ChatPanel.h"

#include "ActivityLog.h"
#include "CallsignSpeech.h"
#include "ChatView.h"

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/EchoLinkError.h"
#include "platform/EchoLinkSession.h"
#include "platform/ErrorTrap.h"
#include "settings/Module1.h"

namespace {

const QString entrySeparator = QStringLiteral("\r\n\r\n");

} // namespace

ChatPanel::ChatPanel(const Module1 &module, const Clock &clock, SessionGetter echo, Clipboard &clipboard,
                     ActivityLog &log, ChatView &view)
    : m_module(module), m_clock(clock), m_echo(std::move(echo)), m_clipboard(clipboard), m_log(log), m_view(view)
{
}

EchoLinkSession &ChatPanel::echo() const
{
    EchoLinkSession *session = m_echo ? m_echo() : nullptr;
    if (!session)
        throw EchoLinkError("Object variable not set");
    return *session;
}

void ChatPanel::SendChatMessage()
{
    ErrorTrap::silent([this] {
        echo().SendChatText(m_view.inputText());
        const QString callsign = echo().stationCallsign();
        AppendChatEntry(callsign + QLatin1Char('>') + m_view.inputText());
        if (m_history.trim())
            m_view.setHistory(m_history.text());
        m_view.moveHistoryCaretToEnd();
        m_view.clearInput();
        m_view.focusInput();
    });
}

void ChatPanel::AppendChatEntry(const QString &chatLine)
{
    ErrorTrap::silent([&] {
        if (m_view.chkLogChecked())
            m_log.WriteActivityLog(chatLine);
        const QString entry = entrySeparator + stamps() + chatLine;
        m_history.append(entry);
        m_view.appendHistory(entry);
        m_view.moveHistoryCaretToEnd();
    });
}

// Each stamp reads the clock by itself.
QString ChatPanel::stamps() const
{
    QString text;
    if (m_view.chkDateChecked())
        text += QLatin1Char('[') + m_clock.now().date().toString(QStringLiteral("yyyy/MM/dd")) + QLatin1Char(']');
    if (m_view.chkTimeChecked())
        text += QLatin1Char('[') + m_clock.timeText() + QLatin1Char(']');
    return text;
}

void ChatPanel::Echo_ChatTextReceived(const QString &sText)
{
    ErrorTrap::silent([&] {
        if (m_module.settings.Speech)
            CallsignSpeech::SpeakCallsign(sText, m_clipboard);
        AppendChatEntry(sText);
    });
}

void ChatPanel::Echo_Connected(const QString &sCall, const QString &, const QString &)
{
    ErrorTrap::silent([&] { m_view.setConnectedCall(sCall); });
}

void ChatPanel::Echo_DisConnected(const QString &)
{
    ErrorTrap::silent([this] { m_view.setConnectedCall(QString()); });
}

void ChatPanel::cmdClr_Click()
{
    ErrorTrap::silent([this] {
        m_history.clear();
        m_view.setHistory(QString());
        m_view.focusInput();
    });
}

int ChatPanel::sInput_KeyPress(int keyAscii)
{
    if (keyAscii != keyEnter)
        return keyAscii;
    SendChatMessage();
    return 0;
}

int ChatPanel::lChat_KeyPress(int keyAscii)
{
    if (keyAscii != keyEscape)
        return 0;
    ErrorTrap::silent([this] { m_view.focusInput(); });
    return keyAscii;
}

int ChatPanel::lChat_KeyDown(int keyCode, int shift)
{
    if (keyCode == keyC && shift == shiftCtrl) {
        ErrorTrap::silent([this] {
            m_clipboard.setText(m_view.selectedHistoryText());
            m_view.focusInput();
        });
        return keyCode;
    }
    if (keyCode == keyEscape) {
        ErrorTrap::silent([this] { m_view.focusInput(); });
        return keyCode;
    }
    return 0;
}
