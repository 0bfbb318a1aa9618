#include "Module1.h"

#include "platform/ErrorTrap.h"
#include "platform/FileSystem.h"
#include "platform/Folders.h"
#include "platform/Int16.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"
#include "platform/VbError.h"

namespace {

const int lineCount = 16;

QString flagDigit(int value) { return QString::number(value); }

// The text after the first "=" of a line; a line without one is its own value.
QString valueOf(const QString &line)
{
    const int eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? line : line.mid(eq + 1);
}

int enableDigit(const QString &line)
{
    const qint16 digit = NumberText::toInt16(line.right(1));
    if (digit < 0 || digit > 2)
        throw TypeMismatchError();
    return digit;
}

bool outside(int value, int low, int high) { return value < low || value > high; }

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

} // namespace

ProgramFolders ProgramFolders::system()
{
    return {Folders::programFolder(), Folders::defaultInstallFolder(), Folders::defaultEchoLinkFolder()};
}

Module1::Module1(SettingsWindow &window, MessageBox &messages, ProgramFolders folders)
    : m_window(window), m_messages(messages), m_folders(std::move(folders))
{
    settings.VLNDir = m_folders.program;
    settings.ELDir = m_folders.defaultEchoLink;
}

void Module1::getVLNpath()
{
    ErrorTrap::report(m_messages, QStringLiteral("Module1.getVLNpath Error"), [this] {
        if (m_folders.program.isEmpty())
            throw FileError("program folder unknown");
        settings.VLNDir = Folders::withSeparator(m_folders.program);
    });
}

bool Module1::getDefVLNpath()
{
    bool exists = false;
    ErrorTrap::report(m_messages, QStringLiteral("Module1.getDefVLNpath Error"),
                      [&] { exists = FileSystem::folderExists(m_folders.defaultInstall); });
    return exists;
}

bool Module1::getELProg()
{
    bool exists = false;
    ErrorTrap::report(m_messages, QStringLiteral("Module1.getELProg Error"),
                      [&] { exists = FileSystem::folderExists(settings.ELDir); });
    return exists;
}

bool Module1::EnsureLogsFolder()
{
    return ErrorTrap::silent([this] {
        const QString logs = settings.VLNDir + QStringLiteral("Logs");
        if (!FileSystem::folderExists(logs))
            FileSystem::createFolder(logs);
    });
}

QString Module1::logsFolder() const
{
    return settings.VLNDir + QStringLiteral("Logs") + Folders::separator();
}

SettingsReadResult Module1::ReadSettings()
{
    SettingsReadResult result;
    const QString path = getDefVLNpath() ? m_folders.defaultInstall + QStringLiteral("vln.ini")
                                         : settings.VLNDir + QStringLiteral("vln.ini");
    const bool parsed = ErrorTrap::silent([&] {
        const QStringList lines = TextFile::readLines(path, lineCount);
        if (lines.size() < lineCount)
            throw FileError("vln.ini is short");
        parseSettings(lines, result);
    });
    if (!parsed) {
        WriteDefaultSettings();
        result.ok = false;
    }
    return result;
}

// Reads the sixteen lines by position, storing as it goes, counts the
// invalid values, and replaces the file by the default one when any is found.
void Module1::parseSettings(const QStringList &lines, SettingsReadResult &r)
{
    if (!lines.at(0).contains(QLatin1Char('=')))
        throw TypeMismatchError();
    const QString timer = valueOf(lines.at(0));
    r.TimerHH = NumberText::toInt16(timer.mid(0, 2));
    r.TimerMM = NumberText::toInt16(timer.mid(3, 2));
    r.TimerSS = NumberText::toInt16(timer.mid(6, 2));
    r.FontSize = NumberText::toInt16(valueOf(lines.at(1)));
    r.Standby = NumberText::toInt16(valueOf(lines.at(2)));

    QString flagChars[6];
    for (int i = 0; i < 6; ++i)
        flagChars[i] = valueOf(lines.at(3 + i)).left(1);

    WindowPlacement place = parsePosition(valueOf(lines.at(9)));

    settings.ELDir = valueOf(lines.at(10));
    settings.VLNDir = valueOf(lines.at(11));

    const QString timer01 = valueOf(lines.at(12));
    settings.Timer01Start = timer01.left(8);
    settings.Timer01End = lines.at(12).right(10).left(8);
    chkT00 = enableDigit(lines.at(12));
    const QString timer02 = valueOf(lines.at(13));
    settings.Timer02Start = timer02.left(8);
    settings.Timer02End = lines.at(13).right(10).left(8);
    chkT01 = enableDigit(lines.at(13));

    settings.HttpLog = valueOf(lines.at(14));
    const QString speechChar = valueOf(lines.at(15)).left(1);

    int invalid = 0;
    invalid += outside(r.TimerHH, 0, 99) + outside(r.TimerMM, 0, 59) + outside(r.TimerSS, 0, 59);
    invalid += outside(r.FontSize, 6, 72) + outside(r.Standby, 0, 59);
    for (const QString &c : flagChars)
        invalid += (c != QLatin1String("0") && c != QLatin1String("1"));

    bool *flags[6] = {&r.SyncTX, &r.SyncRX, &r.Alarm, &r.DispDate, &r.DispTime, &r.LogFile};
    for (int i = 0; i < 6; ++i)
        *flags[i] = flagChars[i] == QLatin1String("1");

    if (place.left < -500) {
        place.left = 100;
        ++invalid;
    }
    if (place.top < -500) {
        place.top = 100;
        ++invalid;
    }
    if (place.width < 5640) {
        place.width = 5640;
        ++invalid;
    }
    if (place.height < 1800) {
        place.height = 1800;
        ++invalid;
    }
    invalid += (timer01.size() != 19) + (timer02.size() != 19);

    r.Speech = speechChar == QLatin1String("1");
    m_window.setPlacement(place);

    if (invalid > 0) {
        WriteDefaultSettings();
        r.ok = false;
    } else {
        r.ok = true;
    }
}

void Module1::WriteSettings(qint16 hh, qint16 mm, qint16 ss, qint16 fontSize, qint16 standby,
                            int syncTX, int syncRX, int alarm, int dispDate, int dispTime,
                            int logFile, int speech)
{
    ErrorTrap::silent([&] {
        const QStringList lines = {
            QStringLiteral("Timer=") + NumberText::twoDigits(hh) + QLatin1Char(':')
                + NumberText::twoDigits(mm) + QLatin1Char(':') + NumberText::twoDigits(ss),
            QStringLiteral("FontSize=") + QString::number(fontSize),
            QStringLiteral("Standby=") + QString::number(standby),
            QStringLiteral("SyncTX=") + flagDigit(syncTX),
            QStringLiteral("SyncRX=") + flagDigit(syncRX),
            QStringLiteral("Alarm=") + flagDigit(alarm),
            QStringLiteral("DispDate=") + flagDigit(dispDate),
            QStringLiteral("DispTime=") + flagDigit(dispTime),
            QStringLiteral("LogFile=") + flagDigit(logFile),
            QStringLiteral("Position=") + positionText(m_window.placement()),
            QStringLiteral("ELDir=") + settings.ELDir,
            QStringLiteral("VLNDir=") + settings.VLNDir,
            QStringLiteral("Timer01=") + settings.Timer01Start + QLatin1Char(',') + settings.Timer01End
                + QLatin1Char(',') + QString::number(chkT00),
            QStringLiteral("Timer02=") + settings.Timer02Start + QLatin1Char(',') + settings.Timer02End
                + QLatin1Char(',') + QString::number(chkT01),
            QStringLiteral("HttpLog=") + settings.HttpLog,
            QStringLiteral("Speech=") + flagDigit(speech),
        };
        TextFile::writeLines(settings.VLNDir + QStringLiteral("vln.ini"), lines);
    });
}

void Module1::WriteDefaultSettings()
{
    settings.ELDir = m_folders.defaultEchoLink;
    ErrorTrap::silent([this] {
        const QStringList lines = {
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
            QStringLiteral("ELDir=") + settings.ELDir,
            QStringLiteral("VLNDir=") + settings.VLNDir,
            QStringLiteral("Timer01=00:00:00,00:00:00,0"),
            QStringLiteral("Timer02=00:00:00,00:00:00,0"),
            QStringLiteral("HttpLog="),
            QStringLiteral("Speech=0"),
        };
        // The separator is added even when VLNDir already ends in one, so a
        // VLNDir from the file without it still names a file inside it.
        TextFile::writeLines(settings.VLNDir + Folders::separator() + QStringLiteral("vln.ini"), lines);
    });
}

void Module1::SaveSettings()
{
    ErrorTrap::silent([this] {
        const Settings &s = settings;
        WriteSettings(s.TimerHH, s.TimerMM, s.TimerSS, s.FontSize, s.Standby, s.SyncTX, s.SyncRX,
                      s.Alarm, m_window.chkDateChecked(), m_window.chkTimeChecked(),
                      m_window.chkLogChecked(), s.Speech);
    });
}

void Module1::takeReadResult(const SettingsReadResult &r)
{
    if (!r.ok) {
        const Settings defaults;
        settings.TimerHH = defaults.TimerHH;
        settings.TimerMM = defaults.TimerMM;
        settings.TimerSS = defaults.TimerSS;
        settings.FontSize = defaults.FontSize;
        settings.Standby = defaults.Standby;
        settings.SyncTX = defaults.SyncTX;
        settings.SyncRX = defaults.SyncRX;
        settings.Alarm = defaults.Alarm;
        settings.DispDate = defaults.DispDate;
        settings.DispTime = defaults.DispTime;
        settings.LogFile = defaults.LogFile;
        settings.Speech = defaults.Speech;
        settings.Timer01Start = settings.Timer01End = defaults.Timer01Start;
        settings.Timer02Start = settings.Timer02End = defaults.Timer02Start;
        return;
    }
    settings.TimerHH = r.TimerHH;
    settings.TimerMM = r.TimerMM;
    settings.TimerSS = r.TimerSS;
    settings.FontSize = r.FontSize;
    settings.Standby = r.Standby;
    settings.SyncTX = r.SyncTX;
    settings.SyncRX = r.SyncRX;
    settings.Alarm = r.Alarm;
    settings.DispDate = r.DispDate;
    settings.DispTime = r.DispTime;
    settings.LogFile = r.LogFile;
    settings.Speech = r.Speech;
}

qint32 Module1::totalSeconds(qint16 hh, qint16 mm, qint16 ss)
{
    return Int16::totalSeconds(hh, mm, ss);
}
