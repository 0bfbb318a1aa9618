// Feeds arbitrary bytes to the code page 932 decoder and the decoded text back
// to the encoder; the same bytes taken as UTF-16 exercise the encoder with
// surrogates and characters outside the code page.

#include "encoding/Cp932.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char *promise)
{
    std::fprintf(stderr, "Cp932 broke its promise: %s\n", promise);
    abort();
}

const QChar replacement(0xFFFD);

void decodeThenEncode(const QByteArray &bytes)
{
    const QString text = Cp932::decode(bytes);
    if (text.size() > bytes.size())
        broken("more characters than bytes");
    // What the decoder yields the encoder takes back; only U+FFFD becomes "?".
    QString expected = text;
    expected.replace(replacement, QLatin1Char('?'));
    if (Cp932::decode(Cp932::encode(text)) != expected)
        broken("decoded text does not survive encoding");
}

void encodeThenDecode(const uint8_t *data, size_t size)
{
    QString text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text += QChar(char16_t(data[i] | data[i + 1] << 8));
    const QByteArray bytes = Cp932::encode(text);
    if (bytes.size() > text.size() * 2)
        broken("more than two bytes a character");
    if (Cp932::decode(bytes).contains(replacement))
        broken("the encoder wrote an invalid sequence");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    decodeThenEncode(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    encodeThenDecode(data, size);
    return 0;
}
