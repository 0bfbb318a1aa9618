#pragma once

#include <QByteArray>
#include <QString>

// Windows code page 932 (Shift_JIS with Microsoft's NEC and IBM rows), the
// encoding of vln.ini and of the logs. "～" is 0x8160 <-> U+FF5E.
namespace Cp932 {

// A character the code page cannot hold (an emoji, a lone surrogate) becomes
// "?", as Windows writes it; the rest of the text is kept.
QByteArray encode(const QString &text);

// An invalid or truncated byte sequence becomes U+FFFD; the rest is kept.
QString decode(const QByteArray &bytes);

} // namespace Cp932
