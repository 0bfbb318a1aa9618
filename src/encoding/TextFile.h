#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

// A text file that could not be read or written; the message names it.
class TextFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Text files as the program keeps them: code page 932, CR LF line ends, no
// byte-order mark. Each call opens, works and closes; nothing stays open.
// Every failure throws TextFileError.
namespace TextFile {

// The lines of the file without their line ends (CR LF, a lone CR or a lone
// LF each end a line); at most maxLines are returned.
QStringList readLines(const QString &path, int maxLines = -1);

// The whole file decoded.
QString readAll(const QString &path);

// Replaces the file in one step: the lines go to a new file beside it, which
// then takes its place, so a failure leaves the previous file whole.
void writeLines(const QString &path, const QStringList &lines);

// Appends one line and its CR LF; the file is created when missing. The line
// is on disk when the call returns.
void appendLine(const QString &path, const QString &line);

// Appends several lines in one open-write-close.
void appendLines(const QString &path, const QStringList &lines);

} // namespace TextFile
