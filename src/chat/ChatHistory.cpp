#include "ChatHistory.h"

bool ChatHistory::trim()
{
    if (length() <= trimAbove)
        return false;
    QString tail = m_text.right(keptTail);
    const qsizetype lineEnd = tail.indexOf(QLatin1String("\r\n"));
    if (lineEnd >= 0)
        tail.remove(0, lineEnd + 2);
    m_text = tail;
    return true;
}
