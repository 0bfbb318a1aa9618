#include "ActivityLog.h"

#include "compat/ErrorTrap.h"
#include "encoding/Cp932Escape.h"
#include "encoding/TextFile.h"
#include "settings/Settings.h"
#include "system/Clock.h"
#include "system/FileSystem.h"

#include <QDir>

namespace {

const QString dateMarker = QStringLiteral("%date%");

} // namespace

ActivityLog::ActivityLog(const Settings &settings, const Clock &clock) : m_settings(settings), m_clock(clock)
{
}

const QStringList &ActivityLog::htmlHeader()
{
    static const QStringList header = {
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"),
        QStringLiteral("<HTML>"),
        QStringLiteral("<HEAD>"),
        QStringLiteral("<TITLE>Echolink Logs</TITLE>"),
        QStringLiteral("<META HTTP-EQUIV=\"CONTENT-TYPE\" CONTENT=\"text/html;CHARSET=Shift_JIS\">"),
        QStringLiteral("</HEAD>"),
        QStringLiteral("<BODY>"),
    };
    return header;
}

void ActivityLog::write(const QString &chatLine)
{
    ErrorTrap::silent([&] { writeTextLog(chatLine); });
    ErrorTrap::silent([&] { writeHtmlLog(chatLine); });
}

QString ActivityLog::textLogPath() const
{
    return m_settings.logsFolder() + m_clock.dateDigits() + QStringLiteral(".txt");
}

// A marker at the very first character does not count; the name is cut at
// the first "%", wherever that is.
QString ActivityLog::htmlLogPath() const
{
    const QString &setting = m_settings.htmlLog;
    if (setting.isEmpty())
        return {};
    QString path = setting;
    if (setting.indexOf(dateMarker) > 0)
        path = setting.left(setting.indexOf(QLatin1Char('%'))) + m_clock.dateDigits() + QStringLiteral(".html");
    if (QDir::isRelativePath(path))
        path = m_settings.programFolder + path;
    return path;
}

QString ActivityLog::stamped(const QString &chatLine) const
{
    return QLatin1Char('[') + m_clock.timeText() + QLatin1Char(']') + chatLine;
}

void ActivityLog::writeTextLog(const QString &chatLine)
{
    TextFile::appendLine(textLogPath(), stamped(Cp932Escape::escapedLine(chatLine)));
}

// The header and the first line go out in one write, so a new file never
// holds a header without its line.
void ActivityLog::writeHtmlLog(const QString &chatLine)
{
    const QString path = htmlLogPath();
    if (path.isEmpty())
        return;
    const QString line = stamped(Cp932Escape::withCharacterReferences(chatLine)) + QStringLiteral("<br>");
    if (FileSystem::fileExists(path))
        TextFile::appendLine(path, line);
    else
        TextFile::appendLines(path, htmlHeader() + QStringList{line});
}
