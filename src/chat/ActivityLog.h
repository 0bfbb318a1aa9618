#pragma once

#include <QString>
#include <QStringList>

class Clock;
class Module1;

// The daily text log and the optional HTML log of the chat traffic. Every
// line is opened, appended and closed in one call, so other programs may read
// or move the files at any time.
class ActivityLog
{
public:
    ActivityLog(const Module1 &module, const Clock &clock);

    // Appends "[HH:MM:SS]" + chatLine to VLNDir + "Logs" + yyyyMMdd + ".txt"
    // and, when HttpLog is set, "[HH:MM:SS]" + chatLine + "<br>" to the HTML
    // log, which starts with its header when new. The chat line goes out
    // unescaped; characters code page 932 lacks become "?". A failing file
    // is skipped and the other one still written; nothing is ever reported.
    void WriteActivityLog(const QString &chatLine);

    // The HTML log's path for the current date, or an empty text when
    // HttpLog is empty. A relative HttpLog is taken inside the program
    // folder, not the process's working folder.
    QString htmlLogPath() const;
    QString textLogPath() const;

    static const QStringList &htmlHeader();

private:
    void writeTextLog(const QString &chatLine);
    void writeHtmlLog(const QString &chatLine);
    QString stamped(const QString &chatLine) const;

    const Module1 &m_module;
    const Clock &m_clock;
};
