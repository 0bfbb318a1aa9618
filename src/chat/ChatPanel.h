#pragma once

#include "ChatHistory.h"
#include "echolink/SessionRef.h"

#include <QString>

class ActivityLog;
class ChatView;
class Clipboard;
class Clock;
class SettingsStore;

// The chat panel of the main window: sending and receiving chat messages,
// the history with its optional date and time stamps, logging, callsign
// speech, the connected station's callsign, and the keys of the history and
// the input line. Every handler leaves silently on a failure; what it did
// before the failure stays done.
class ChatPanel
{
public:
    // Character and key codes the key handlers look at, and the shift state
    // of Ctrl alone (Shift 1, Ctrl 2, Alt 4).
    static constexpr int keyEnter = 13;
    static constexpr int keyEscape = 27;
    static constexpr int keyC = 67;
    static constexpr int shiftCtrl = 2;

    ChatPanel(const SettingsStore &settings, const Clock &clock, SessionRef session, Clipboard &clipboard,
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

    // The key handlers return the code the control should go on with; 0
    // means the key is discarded.
    int inputKeyPress(int character);
    int historyKeyPress(int character);
    int historyKeyDown(int keyCode, int shift);

    const ChatHistory &history() const { return m_history; }

private:
    QString stamps() const;

    const SettingsStore &m_settings;
    const Clock &m_clock;
    SessionRef m_session;
    Clipboard &m_clipboard;
    ActivityLog &m_log;
    ChatView &m_view;
    ChatHistory m_history;
};
