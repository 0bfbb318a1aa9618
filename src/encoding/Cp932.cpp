#include "Cp932.h"

#include <stdexcept>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <string>
#endif

namespace {

const char16_t replacementChar = 0xFFFD;

// The JIS forms that glibc's table also accepts; Windows without best fit
// refuses them, so both platforms write the code page's own characters.
char16_t microsoftForm(char16_t c)
{
    switch (c) {
    case 0x00A2: return 0xFFE0; // ¢
    case 0x00A3: return 0xFFE1; // £
    case 0x00A5: return 0x005C; // ¥
    case 0x00AC: return 0xFFE2; // ¬
    case 0x2014: return 0x2015; // —
    case 0x2016: return 0x2225; // ‖
    case 0x203E: return 0x007E; // ‾
    case 0x2212: return 0xFF0D; // −
    case 0x301C: return 0xFF5E; // 〜
    default: return c;
    }
}

// Every character of the code page lies in the basic plane, so a surrogate
// pair (one character) and a lone surrogate each become a single "?" here.
QString prepared(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += QLatin1Char('?');
            ++i;
        } else if (c.isSurrogate()) {
            out += QLatin1Char('?');
        } else {
            out += QChar(microsoftForm(c.unicode()));
        }
    }
    return out;
}

#ifdef Q_OS_WIN

const UINT codePage = 932;

QString decodeCarefully(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes.at(i))) ? 2 : 1;
        wchar_t c = 0;
        if (i + length <= bytes.size()
            && MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.constData() + i, length, &c, 1) == 1) {
            out += QChar(c);
            i += length;
        } else {
            out += QChar(replacementChar);
            ++i;
        }
    }
    return out;
}

} // namespace

namespace Cp932 {

QByteArray encode(const QString &text)
{
    const QString wide = prepared(text);
    if (wide.isEmpty())
        return {};
    const auto source = reinterpret_cast<const wchar_t *>(wide.utf16());
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, source, length, nullptr, 0, "?", nullptr);
    if (size <= 0)
        throw std::runtime_error("code page 932 is not available");
    QByteArray out(size, Qt::Uninitialized);
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, source, length, out.data(), size, "?", nullptr);
    return out;
}

QString decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.constData(), length, nullptr, 0);
    if (size <= 0)
        return decodeCarefully(bytes);
    QString out(size, Qt::Uninitialized);
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.constData(), length,
                        reinterpret_cast<wchar_t *>(out.data()), size);
    return out;
}

} // namespace Cp932

#else

// glibc's "CP932" is the Windows table; its "SHIFT_JIS" lacks the NEC and
// IBM rows. "WCHAR_T" is glibc's internal form, so each conversion is one
// step, which keeps recovering from a refused character cheap.
static_assert(sizeof(wchar_t) == 4, "WCHAR_T is taken as UCS-4");

class Converter
{
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("code page 932 is not available");
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts the whole input in one go; a sequence the table refuses
    // becomes what `fallback` makes of its first unit, and conversion goes on
    // one input unit further.
    template <typename Out, typename Fallback>
    Out run(const char *input, size_t inLeft, size_t unit, Fallback fallback, size_t capacity)
    {
        using Unit = typename Out::value_type;
        Out out(capacity, Unit());
        char *in = const_cast<char *>(input);
        size_t used = 0;
        while (inLeft > 0) {
            char *outPtr = reinterpret_cast<char *>(&out[used]);
            size_t outLeft = (out.size() - used) * sizeof(Unit);
            const size_t result = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            used = out.size() - outLeft / sizeof(Unit);
            if (result != size_t(-1))
                break;
            if (errno == E2BIG || used == out.size()) {
                out.resize(out.size() * 2 + 1);
                continue;
            }
            out[used++] = fallback(in);
            const size_t skip = std::min(unit, inLeft);
            in += skip;
            inLeft -= skip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        out.resize(used);
        return out;
    }

private:
    iconv_t m_cd;
};

} // namespace

namespace Cp932 {

// glibc leaves out the one single byte that Windows maps to itself: 0x80.
const wchar_t passedThrough = 0x80;

QByteArray encode(const QString &text)
{
    const std::wstring wide = prepared(text).toStdWString();
    Converter converter("CP932", "WCHAR_T");
    const auto fallback = [](const char *in) {
        return *reinterpret_cast<const wchar_t *>(in) == passedThrough ? char(passedThrough) : '?';
    };
    // A character takes at most two bytes.
    const std::string bytes = converter.run<std::string>(reinterpret_cast<const char *>(wide.data()),
                                                         wide.size() * sizeof(wchar_t), sizeof(wchar_t),
                                                         fallback, wide.size() * 2);
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

QString decode(const QByteArray &bytes)
{
    Converter converter("WCHAR_T", "CP932");
    const auto fallback = [](const char *in) {
        return static_cast<unsigned char>(*in) == passedThrough ? passedThrough : wchar_t(replacementChar);
    };
    // Every byte or byte pair gives at most one character.
    const std::wstring wide = converter.run<std::wstring>(bytes.constData(), size_t(bytes.size()), 1,
                                                          fallback, size_t(bytes.size()));
    return QString::fromStdWString(wide);
}

} // namespace Cp932

#endif
