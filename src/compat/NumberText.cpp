#include "NumberText.h"

#include "Rounding.h"
#include "RunTimeError.h"

#include <QLocale>

#include <cstdlib>

namespace NumberText {

namespace {
bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
} // namespace

double parse(const QString &text)
{
    int begin = 0;
    int end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;

    int i = begin;
    if (i < end && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    int digits = 0;
    while (i < end && isDigit(text.at(i))) {
        ++i;
        ++digits;
    }
    if (i < end && text.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < end && isDigit(text.at(i))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0 || i != end)
        throw TypeMismatchError();

    const QByteArray ascii = text.mid(begin, end - begin).toLatin1();
    return std::strtod(ascii.constData(), nullptr);
}

qint16 toInt16(const QString &text) { return Rounding::toInt16(parse(text)); }
qint32 toInt32(const QString &text) { return Rounding::toInt32(parse(text)); }

QString formatPosition(double value)
{
    if (value == 0.0)
        value = 0.0; // no "-0"
    // Plain decimal even for large values: an exponent could not be read back.
    const QString digits = QString::number(value, 'f', QLocale::FloatingPointShortest);
    return value < 0 ? digits : QLatin1Char(' ') + digits;
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace NumberText
