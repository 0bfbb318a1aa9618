#include "Cp932Escape.h"

#include "Cp932.h"

#include <algorithm>

namespace Cp932Escape {

namespace {

const QLatin1String introducer("&#x");
constexpr qsizetype maxDigits = 6; // U+10FFFF

QString reference(char32_t codePoint)
{
    return introducer + QString::number(codePoint, 16).toUpper() + QLatin1Char(';');
}

// Whether the code page gives back this very text: "¥", for one, is written
// as "\" and would read back as that.
bool survives(const QString &character)
{
    return Cp932::decode(Cp932::encode(character)) == character;
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

// The code point of a reference starting at `at`, and where it ends; -1
// when no well-formed reference starts there.
char32_t referenceAt(const QString &text, qsizetype at, qsizetype &end)
{
    if (QStringView(text).mid(at, introducer.size()) != introducer)
        return char32_t(-1);
    const qsizetype digits = at + introducer.size();
    qsizetype i = digits;
    while (i < text.size() && i - digits < maxDigits && isHexDigit(text.at(i)))
        ++i;
    if (i == digits || i >= text.size() || text.at(i) != u';')
        return char32_t(-1);
    const char32_t codePoint = QStringView(text).mid(digits, i - digits).toUInt(nullptr, 16);
    if (codePoint > 0x10FFFF)
        return char32_t(-1);
    end = i + 1;
    return codePoint;
}

struct Escapes
{
    bool controls;   // control characters, which would end a line
    bool ampersands; // an "&" that starts "&#", which would read as a reference
};

bool needsNothing(const QString &text, Escapes escapes)
{
    if (escapes.ampersands && text.contains(QLatin1String("&#")))
        return false;
    if (escapes.controls && std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; }))
        return false;
    return survives(text);
}

QString escaped(const QString &text, Escapes escapes)
{
    // Most text the code page holds whole: one conversion tells.
    if (needsNothing(text, escapes))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const QString character = text.mid(i, pair ? 2 : 1);
        const bool startsReference =
            escapes.ampersands && c == u'&' && i + 1 < text.size() && text.at(i + 1) == u'#';
        const bool control = escapes.controls && c.unicode() < 0x20;
        if (startsReference || control || !survives(character))
            out += reference(pair ? QChar::surrogateToUcs4(c, text.at(i + 1)) : c.unicode());
        else
            out += character;
        i += character.size();
    }
    return out;
}

} // namespace

QString escapedPath(const QString &path)
{
    return escaped(path, {true, true});
}

QString escapedLine(const QString &line)
{
    return escaped(line, {false, true});
}

QString withCharacterReferences(const QString &line)
{
    return escaped(line, {false, false});
}

QString unescaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        qsizetype end = 0;
        const char32_t codePoint = referenceAt(text, i, end);
        if (codePoint == char32_t(-1)) {
            out += text.at(i++);
            continue;
        }
        if (QChar::requiresSurrogates(codePoint))
            out += QString::fromUcs4(&codePoint, 1);
        else
            out += QChar(char16_t(codePoint)); // a lone surrogate too
        i = end;
    }
    return out;
}

} // namespace Cp932Escape
