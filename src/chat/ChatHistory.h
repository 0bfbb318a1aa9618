#pragma once

#include <QString>

// The chat history as the sending rules see it: its length as the user sees
// the text, entries separated by CR LF and every length counting CR LF as two
// characters, and as much of its end as a cut can keep. The whole text is the
// view's alone; a second copy here would grow with every line received.
class ChatHistory
{
public:
    // Above this length a sent message cuts the history back.
    static constexpr int trimAbove = 20000;
    // The length of the tail that is kept.
    static constexpr int keptTail = 8000;

    qsizetype length() const { return m_length; }
    // The end of the text: at least its last keptTail characters, or all of
    // it when shorter; all of it just after a cut.
    const QString &tail() const { return m_tail; }

    void append(const QString &chunk);
    void clear();

    // When longer than trimAbove: keeps the last keptTail characters from just
    // after their first CR LF, so the history restarts at a line boundary (a
    // tail without any CR LF is kept whole). Returns whether it cut.
    bool trim();

private:
    QString m_tail;
    qsizetype m_length = 0;
};
