#pragma once

#include <QString>

// Paths kept in a code page 932 text file. A character the code page cannot
// hold (é, ü, an emoji) is written as "&#x" + its code point in hex + ";",
// and so are control characters (a line break) and an "&" that starts "&#",
// so that every path the platform can have reads back exactly as it was. A
// path the code page holds whole is written unchanged, and text without
// "&#x" reads back unchanged.
namespace PathEscape {

QString escaped(const QString &path);
QString unescaped(const QString &text);

} // namespace PathEscape
