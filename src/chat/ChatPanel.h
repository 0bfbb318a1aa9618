#pragma once

#include "ChatHistory.h"

#include <QString>

#include <functional>

class ActivityLog;
class ChatView;
class Clipboard;
class Clock;
class EchoLinkSession;
class Module1;

// The chat panel of the main window: sending and receiving chat messages,
// the history with its optional date and time stamps, logging, callsign
// speech, the connected station's callsign, and the keys of the history and
// the input box. Every handler leaves silently on a failure; what it did
// before the failure stays done.
class ChatPanel
{
public:
    // The main window's Echo reference, fetched anew for every use; null
    // while EchoLink is not attached.
    using SessionGetter = std::function<EchoLinkSession *()>;

    // Character and key codes the key handlers look at, and the shift state
    // of Ctrl alone (Shift 1, Ctrl 2, Alt 4).
    static constexpr int keyEnter = 13;
    static constexpr int keyEscape = 27;
    static constexpr int keyC = 67;
    static constexpr int shiftCtrl = 2;

    ChatPanel(const Module1 &module, const Clock &clock, SessionGetter echo, Clipboard &clipboard,
              ActivityLog &log, ChatView &view);

    // Sends the input text to EchoLink, then shows it as the own callsign's
    // entry, cuts an over-long history back, and empties the input. Nothing
    // is shown or logged when the send fails.
    void SendChatMessage();
    // Logs the chat line when Log is checked, then appends CR LF CR LF, the
    // date and time stamps and the line to the history.
    void AppendChatEntry(const QString &chatLine);

    void Echo_ChatTextReceived(const QString &sText);
    void Echo_Connected(const QString &sCall, const QString &sName, const QString &sAddr);
    void Echo_DisConnected(const QString &sCall);
    void cmdClr_Click();

    // The key handlers return the code the control should go on with; 0
    // means the key is discarded.
    int sInput_KeyPress(int keyAscii);
    int lChat_KeyPress(int keyAscii);
    int lChat_KeyDown(int keyCode, int shift);

    const ChatHistory &history() const { return m_history; }

private:
    EchoLinkSession &echo() const;
    QString stamps() const;

    const Module1 &m_module;
    const Clock &m_clock;
    SessionGetter m_echo;
    Clipboard &m_clipboard;
    ActivityLog &m_log;
    ChatView &m_view;
    ChatHistory m_history;
};
