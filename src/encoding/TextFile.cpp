#include "TextFile.h"

#include "Cp932.h"

#include <QFile>
#include <QSaveFile>

namespace {

const int chunkSize = 4096;

[[noreturn]] void fail(const QString &what, const QFileDevice &file)
{
    throw TextFileError((what + QStringLiteral(" ") + file.fileName() + QStringLiteral(": ") + file.errorString())
                        .toStdString());
}

void openForReading(QFile &file)
{
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        fail(QStringLiteral("cannot open"), file);
}

QByteArray readRest(QFile &file)
{
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("cannot read"), file);
    return bytes;
}

// CR LF, a lone CR and a lone LF each count once; CR and LF bytes never occur
// inside a double-byte character, so counting bytes is safe.
class LineEndCounter
{
public:
    void add(const QByteArray &bytes)
    {
        for (const char c : bytes) {
            if (c == '\r' || (c == '\n' && !m_afterCr))
                ++m_count;
            m_afterCr = c == '\r';
        }
    }
    qint64 count() const { return m_count; }

private:
    qint64 m_count = 0;
    bool m_afterCr = false;
};

// Reads only as far as the first maxLines lines reach, so a huge file costs
// no more than its beginning.
QByteArray readLeading(QFile &file, int maxLines)
{
    QByteArray bytes;
    LineEndCounter ends;
    char chunk[chunkSize];
    while (ends.count() < maxLines) {
        const qint64 got = file.read(chunk, chunkSize);
        if (got < 0)
            fail(QStringLiteral("cannot read"), file);
        if (got == 0)
            break;
        const QByteArray piece = QByteArray::fromRawData(chunk, got);
        ends.add(piece);
        bytes += piece;
    }
    return bytes;
}

QStringList splitLines(const QString &text, int maxLines)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size() && lines.size() != maxLines; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size() && lines.size() != maxLines)
        lines << text.mid(start);
    return lines;
}

// CR and LF pass the code page unchanged, so the lines are encoded in one go.
QByteArray encodeLines(const QStringList &lines)
{
    if (lines.isEmpty())
        return {};
    return Cp932::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// Unbuffered, so the bytes are with the OS when write returns. A failed
// append must not leave half a line for the next one to run into; cutting
// back to the old size keeps every earlier line whole.
void append(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        fail(QStringLiteral("cannot open"), file);
    const qint64 before = file.size();
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.resize(before);
        throw TextFileError(("cannot append to " + path + ": " + error).toStdString());
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("cannot close"), file);
}

} // namespace

namespace TextFile {

QStringList readLines(const QString &path, int maxLines)
{
    if (maxLines == 0)
        return {};
    QFile file(path);
    openForReading(file);
    const QByteArray bytes = maxLines < 0 ? readRest(file) : readLeading(file, maxLines);
    return splitLines(Cp932::decode(bytes), maxLines);
}

QString readAll(const QString &path)
{
    QFile file(path);
    openForReading(file);
    return Cp932::decode(readRest(file));
}

void writeLines(const QString &path, const QStringList &lines)
{
    const QByteArray bytes = encodeLines(lines);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        fail(QStringLiteral("cannot create"), file);
    if (file.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write"), file);
    if (!file.commit())
        fail(QStringLiteral("cannot replace"), file);
}

void appendLine(const QString &path, const QString &line)
{
    appendLines(path, {line});
}

void appendLines(const QString &path, const QStringList &lines)
{
    append(path, encodeLines(lines));
}

} // namespace TextFile
