#include "ChatHistory.h"

// The tail goes back to keptTail characters only once it holds twice that,
// so the copying is spread thinly over the appends.
void ChatHistory::append(const QString &chunk)
{
    m_tail += chunk;
    m_length += chunk.size();
    if (m_tail.size() > 2 * keptTail)
        m_tail = m_tail.right(keptTail);
}

void ChatHistory::clear()
{
    m_tail.clear();
    m_length = 0;
}

bool ChatHistory::trim()
{
    if (length() <= trimAbove)
        return false;
    QString tail = m_tail.right(keptTail);
    const qsizetype lineEnd = tail.indexOf(QLatin1String("\r\n"));
    if (lineEnd >= 0)
        tail.remove(0, lineEnd + 2);
    m_tail = tail;
    m_length = m_tail.size();
    return true;
}
