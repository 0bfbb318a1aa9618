#pragma once

#include <QString>

// The text up to its first NUL character, or the whole text when it has
// none: a name handed back in a NUL-filled buffer, without the filling.
inline QString textBeforeNul(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}
