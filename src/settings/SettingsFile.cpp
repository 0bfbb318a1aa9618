#include "SettingsFile.h"

#include "compat/NumberText.h"
#include "compat/RunTimeError.h"
#include "encoding/Cp932Escape.h"

namespace SettingsFile {

namespace {

QString flagDigit(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

// The text after the first "=" of a line; a line without one is its own value.
QString valueOf(const QString &line)
{
    const int eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? line : line.mid(eq + 1);
}

// Folders and paths may hold characters code page 932 lacks.
QString pathOf(const QString &line)
{
    return Cp932Escape::unescaped(valueOf(line));
}

int enableDigit(const QString &line)
{
    const qint16 digit = NumberText::toInt16(line.right(1));
    if (digit < 0 || digit > 2)
        throw TypeMismatchError();
    return digit;
}

// Start is the first 8 characters of the value, end the first 8 of the
// line's last 10, whatever separates them.
ScheduleWindow scheduleWindow(const QString &line)
{
    ScheduleWindow window;
    window.start = valueOf(line).left(8);
    window.end = line.right(10).left(8);
    window.enableDigit = enableDigit(line);
    return window;
}

QString scheduleText(const ScheduleWindow &window)
{
    return window.start + QLatin1Char(',') + window.end + QLatin1Char(',')
        + QString::number(window.enableDigit);
}

bool outside(int value, int low, int high)
{
    return value < low || value > high;
}

QString positionText(const WindowPlacement &p)
{
    return NumberText::formatPosition(p.left) + QLatin1Char(',') + NumberText::formatPosition(p.top)
        + QLatin1Char(',') + NumberText::formatPosition(p.width) + QLatin1Char(',')
        + NumberText::formatPosition(p.height);
}

WindowPlacement parsePosition(const QString &value)
{
    const QChar comma(QLatin1Char(','));
    const int c1 = value.indexOf(comma);
    const int c2 = c1 < 0 ? -1 : value.indexOf(comma, c1 + 1);
    const int c3 = c2 < 0 ? -1 : value.indexOf(comma, c2 + 1);
    if (c3 < 0)
        throw TypeMismatchError();
    WindowPlacement p;
    p.left = NumberText::toInt32(value.left(c1));
    p.top = NumberText::toInt32(value.mid(c1 + 1, c2 - c1 - 1));
    p.width = NumberText::toInt32(value.mid(c2 + 1, c3 - c2 - 1));
    p.height = NumberText::toInt32(value.mid(c3 + 1));
    return p;
}

// Each bound that had to be applied counts as one invalid value.
int correctPlacement(WindowPlacement &p)
{
    int corrections = 0;
    if (p.left < -500) {
        p.left = 100;
        ++corrections;
    }
    if (p.top < -500) {
        p.top = 100;
        ++corrections;
    }
    if (p.width < 5640) {
        p.width = 5640;
        ++corrections;
    }
    if (p.height < 1800) {
        p.height = 1800;
        ++corrections;
    }
    return corrections;
}

QString limitText(const TimeLimit &limit)
{
    return NumberText::twoDigits(limit.hours) + QLatin1Char(':') + NumberText::twoDigits(limit.minutes)
        + QLatin1Char(':') + NumberText::twoDigits(limit.seconds);
}

} // namespace

Parsed parse(const QStringList &lines, Settings &s)
{
    if (!lines.at(0).contains(QLatin1Char('=')))
        throw TypeMismatchError();
    // Characters 3 and 6 of the limit are not looked at.
    const QString timer = valueOf(lines.at(0));
    s.limit.hours = NumberText::toInt16(timer.mid(0, 2));
    s.limit.minutes = NumberText::toInt16(timer.mid(3, 2));
    s.limit.seconds = NumberText::toInt16(timer.mid(6, 2));
    s.fontSize = NumberText::toInt16(valueOf(lines.at(1)));
    s.standbySeconds = NumberText::toInt16(valueOf(lines.at(2)));

    // Only the first character of a flag counts: "10" is on.
    QString flagChars[6];
    for (int i = 0; i < 6; ++i)
        flagChars[i] = valueOf(lines.at(3 + i)).left(1);

    Parsed parsed;
    parsed.placement = parsePosition(valueOf(lines.at(9)));

    s.echoLinkFolder = pathOf(lines.at(10));
    s.programFolder = pathOf(lines.at(11));
    s.schedule[0] = scheduleWindow(lines.at(12));
    s.schedule[1] = scheduleWindow(lines.at(13));
    s.htmlLog = pathOf(lines.at(14));
    const QString speechChar = valueOf(lines.at(15)).left(1);

    int &invalid = parsed.invalid;
    invalid += outside(s.limit.hours, 0, 99) + outside(s.limit.minutes, 0, 59)
        + outside(s.limit.seconds, 0, 59);
    invalid += outside(s.fontSize, 6, 72) + outside(s.standbySeconds, 0, 59);
    for (const QString &c : flagChars)
        invalid += (c != QLatin1String("0") && c != QLatin1String("1"));

    bool *flags[6] = {&s.syncTransmit, &s.syncReceive, &s.alarm, &s.stampDate, &s.stampTime, &s.logChat};
    for (int i = 0; i < 6; ++i)
        *flags[i] = flagChars[i] == QLatin1String("1");

    invalid += correctPlacement(parsed.placement);
    invalid += (valueOf(lines.at(12)).size() != 19) + (valueOf(lines.at(13)).size() != 19);

    // Anything but "1" is off, and never invalid.
    s.speakCallsigns = speechChar == QLatin1String("1");
    return parsed;
}

QStringList format(const Settings &s, const WindowPlacement &placement)
{
    return {
        QStringLiteral("Timer=") + limitText(s.limit),
        QStringLiteral("FontSize=") + QString::number(s.fontSize),
        QStringLiteral("Standby=") + QString::number(s.standbySeconds),
        QStringLiteral("SyncTX=") + flagDigit(s.syncTransmit),
        QStringLiteral("SyncRX=") + flagDigit(s.syncReceive),
        QStringLiteral("Alarm=") + flagDigit(s.alarm),
        QStringLiteral("DispDate=") + flagDigit(s.stampDate),
        QStringLiteral("DispTime=") + flagDigit(s.stampTime),
        QStringLiteral("LogFile=") + flagDigit(s.logChat),
        QStringLiteral("Position=") + positionText(placement),
        QStringLiteral("ELDir=") + Cp932Escape::escapedPath(s.echoLinkFolder),
        QStringLiteral("VLNDir=") + Cp932Escape::escapedPath(s.programFolder),
        QStringLiteral("Timer01=") + scheduleText(s.schedule[0]),
        QStringLiteral("Timer02=") + scheduleText(s.schedule[1]),
        QStringLiteral("HttpLog=") + Cp932Escape::escapedPath(s.htmlLog),
        QStringLiteral("Speech=") + flagDigit(s.speakCallsigns),
    };
}

QStringList defaults(const QString &echoLinkFolder, const QString &programFolder)
{
    return {
        QStringLiteral("Timer=00:03:00"),
        QStringLiteral("FontSize=9"),
        QStringLiteral("Standby=5"),
        QStringLiteral("SyncTX=1"),
        QStringLiteral("SyncRX=1"),
        QStringLiteral("Alarm=1"),
        QStringLiteral("DispDate=0"),
        QStringLiteral("DispTime=1"),
        QStringLiteral("LogFile=0"),
        QStringLiteral("Position= 100, 100, 5640, 8460"),
        QStringLiteral("ELDir=") + Cp932Escape::escapedPath(echoLinkFolder),
        QStringLiteral("VLNDir=") + Cp932Escape::escapedPath(programFolder),
        QStringLiteral("Timer01=00:00:00,00:00:00,0"),
        QStringLiteral("Timer02=00:00:00,00:00:00,0"),
        QStringLiteral("HttpLog="),
        QStringLiteral("Speech=0"),
    };
}

} // namespace SettingsFile
