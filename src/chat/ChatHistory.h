#pragma once

#include <QString>

// The text of the chat history as the user sees it: entries separated by
// CR LF, every length counting CR LF as two characters. The view shows a copy;
// this is the text that lengths and cuts are taken from.
class ChatHistory
{
public:
    // Above this length a sent message cuts the history back.
    static constexpr int trimAbove = 20000;
    // The length of the tail that is kept.
    static constexpr int keptTail = 8000;

    const QString &text() const { return m_text; }
    qsizetype length() const { return m_text.size(); }

    void append(const QString &chunk) { m_text += chunk; }
    void clear() { m_text.clear(); }

    // When longer than trimAbove: keeps the last keptTail characters from just
    // after their first CR LF, so the history restarts at a line boundary (a
    // tail without any CR LF is kept whole). Returns whether it cut.
    bool trim();

private:
    QString m_text;
};
