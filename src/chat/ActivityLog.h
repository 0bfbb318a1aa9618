#pragma once

#include <QString>
#include <QStringList>

class Clock;
struct Settings;

// The daily text log and the optional HTML log of the chat traffic. Every
// line is opened, appended and closed in one call, so other programs may read
// or move the files at any time.
class ActivityLog
{
public:
    ActivityLog(const Settings &settings, const Clock &clock);

    // Appends "[HH:MM:SS]" + chatLine to Logs/yyyyMMdd.txt in the program
    // folder and, when an HTML log is set, the same + "<br>" to the HTML
    // log, which starts with its header when new. The chat line goes out as
    // it stands but for what code page 932 lacks, which EchoLink's
    // international chat brings: "&#x" + hex + ";" in both logs, which
    // browsers show and the log viewer reads back (see Cp932Escape). A
    // failing file is skipped and the other one still written; nothing is
    // ever reported.
    void write(const QString &chatLine);

    // The HTML log's path for the current date, or an empty text when
    // none is set. A relative path is taken inside the program
    // folder, not the process's working folder.
    QString htmlLogPath() const;
    QString textLogPath() const;

    static const QStringList &htmlHeader();

private:
    void writeTextLog(const QString &chatLine);
    void writeHtmlLog(const QString &chatLine);
    QString stamped(const QString &chatLine) const;

    const Settings &m_settings;
    const Clock &m_clock;
};
