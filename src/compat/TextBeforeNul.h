#pragma once

// Kept on purpose (see README.md): a file name comes back in a NUL-filled
// buffer, and only the text before the first NUL is the name.

#include <QString>

// The text up to its first NUL character, or the whole text when it has
// none: a name handed back in a NUL-filled buffer, without the filling.
inline QString textBeforeNul(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}
