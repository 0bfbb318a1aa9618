#pragma once

#include "ChatHistory.h"
#include "echolink/SessionRef.h"

#include <Qt>
#include <QString>

class ActivityLog;
class ChatView;
class Clipboard;
class Clock;
struct Settings;

// The chat panel of the main window: sending and receiving chat messages,
// the history with its optional date and time stamps, logging, callsign
// speech, the connected station's callsign, and the keys of the history and
// the input line. Every handler leaves silently on a failure; what it did
// before the failure stays done.
class ChatPanel
{
public:
    ChatPanel(const Settings &settings, const Clock &clock, SessionRef session, Clipboard &clipboard,
              ActivityLog &log, ChatView &view);

    // Sends the input text to EchoLink, then shows it as the own callsign's
    // entry, cuts an over-long history back, and empties the input. Nothing
    // is shown or logged when the send fails.
    void sendMessage();
    // Logs the chat line when Log is checked, then appends CR LF CR LF, the
    // date and time stamps and the line to the history.
    void appendEntry(const QString &chatLine);

    void onChatTextReceived(const QString &chatLine);
    void onConnected(const QString &callsign);
    void onDisconnected();
    void clearHistory();

    // A key pressed in the history: Ctrl (alone) with C copies the selection
    // and goes back to the input line, Esc goes back to it. The history
    // itself acts on no key, so its text cannot be changed.
    void onHistoryKey(int key, Qt::KeyboardModifiers modifiers);

    const ChatHistory &history() const { return m_history; }

private:
    QString stamps() const;

    const Settings &m_settings;
    const Clock &m_clock;
    SessionRef m_session;
    Clipboard &m_clipboard;
    ActivityLog &m_log;
    ChatView &m_view;
    ChatHistory m_history;
};
