#include "ChatPanel.h"

#include "ActivityLog.h"
#include "CallsignSpeech.h"
#include "ChatView.h"

#include "compat/ErrorTrap.h"
#include "compat/WindowsKeys.h"
#include "desktop/Clipboard.h"
#include "settings/Settings.h"
#include "system/Clock.h"

namespace {

const QString entrySeparator = QStringLiteral("\r\n\r\n");

} // namespace

ChatPanel::ChatPanel(const Settings &settings, const Clock &clock, SessionRef session, Clipboard &clipboard,
                     ActivityLog &log, ChatView &view)
    : m_settings(settings),
      m_clock(clock),
      m_session(std::move(session)),
      m_clipboard(clipboard),
      m_log(log),
      m_view(view)
{
}

void ChatPanel::sendMessage()
{
    ErrorTrap::silent([this] {
        m_session.get().sendChatText(m_view.inputText());
        const QString callsign = m_session.get().stationCallsign();
        appendEntry(callsign + QLatin1Char('>') + m_view.inputText());
        if (m_history.trim())
            m_view.setHistory(m_history.tail());
        m_view.moveHistoryCaretToEnd();
        m_view.clearInput();
        m_view.focusInput();
    });
}

void ChatPanel::appendEntry(const QString &chatLine)
{
    ErrorTrap::silent([&] {
        if (m_view.switches().logChat)
            m_log.write(chatLine);
        const QString entry = entrySeparator + stamps() + chatLine;
        m_history.append(entry);
        m_view.appendHistory(entry);
        m_view.moveHistoryCaretToEnd();
    });
}

// Each stamp reads the clock by itself.
QString ChatPanel::stamps() const
{
    const ChatSwitches switches = m_view.switches();
    QString text;
    if (switches.stampDate)
        text += QLatin1Char('[') + m_clock.now().date().toString(QStringLiteral("yyyy/MM/dd")) + QLatin1Char(']');
    if (switches.stampTime)
        text += QLatin1Char('[') + m_clock.timeText() + QLatin1Char(']');
    return text;
}

void ChatPanel::onChatTextReceived(const QString &chatLine)
{
    ErrorTrap::silent([&] {
        if (m_settings.speakCallsigns)
            CallsignSpeech::copySpokenForm(chatLine, m_clipboard);
        appendEntry(chatLine);
    });
}

void ChatPanel::onConnected(const QString &callsign)
{
    ErrorTrap::silent([&] { m_view.setConnectedCall(callsign); });
}

void ChatPanel::onDisconnected()
{
    ErrorTrap::silent([this] { m_view.setConnectedCall(QString()); });
}

void ChatPanel::clearHistory()
{
    ErrorTrap::silent([this] {
        m_history.clear();
        m_view.setHistory(QString());
        m_view.focusInput();
    });
}

void ChatPanel::onHistoryKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_C && WindowsKeys::isCtrlAlone(modifiers)) {
        ErrorTrap::silent([this] {
            m_clipboard.setText(m_view.selectedHistoryText());
            m_view.focusInput();
        });
    } else if (key == Qt::Key_Escape) {
        ErrorTrap::silent([this] { m_view.focusInput(); });
    }
}
