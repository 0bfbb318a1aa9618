#pragma once

#include <QString>

// Text kept in a code page 932 file with nothing lost. A character the code
// page cannot hold (é, ü, an emoji) is written as "&#x" + its code point in
// hex + ";", and so is an "&" that starts "&#", so that the text reads back
// exactly as it was. Text the code page holds whole, without "&#", is
// written unchanged, so every file written before reads as it always did.
namespace Cp932Escape {

// A path in vln.ini: control characters (a line break) are escaped too, as
// they would end the line that holds the path.
QString escapedPath(const QString &path);

// A chat line in the daily text log.
QString escapedLine(const QString &line);

// A chat line in the HTML log: what the code page lacks as numeric
// character references, which browsers show; the rest as it stands.
QString withCharacterReferences(const QString &line);

// The text with every well-formed reference turned back into its character.
QString unescaped(const QString &text);

} // namespace Cp932Escape
