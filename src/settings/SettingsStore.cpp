#include "SettingsStore.h"

#include "SettingsFile.h"
#include "compat/ErrorTrap.h"
#include "system/FileSystem.h"
#include "system/Folders.h"
#include "compat/RunTimeError.h"
#include "encoding/TextFile.h"

namespace {

const QString fileName = QStringLiteral("vln.ini");

} // namespace

SettingsStore::SettingsStore(MainWindowState &window, MessageDialog &messages, ProgramFolders folders)
    : m_window(window), m_messages(messages), m_folders(std::move(folders))
{
    m_settings.programFolder = m_folders.program;
    m_settings.echoLinkFolder = m_folders.defaultEchoLink;
}

void SettingsStore::locateProgramFolder()
{
    ErrorTrap::report(m_messages, QStringLiteral("Module1.getVLNpath Error"), [this] {
        if (m_folders.program.isEmpty())
            throw FileError("program folder unknown");
        m_settings.programFolder = Folders::withSeparator(m_folders.program);
    });
}

bool SettingsStore::defaultInstallFolderExists()
{
    bool exists = false;
    ErrorTrap::report(m_messages, QStringLiteral("Module1.getDefVLNpath Error"),
                      [&] { exists = FileSystem::folderExists(m_folders.defaultInstall); });
    return exists;
}

bool SettingsStore::echoLinkInstalled()
{
    bool exists = false;
    ErrorTrap::report(m_messages, QStringLiteral("Module1.getELProg Error"),
                      [&] { exists = FileSystem::folderExists(m_settings.echoLinkFolder); });
    return exists;
}

bool SettingsStore::ensureLogsFolder()
{
    return ErrorTrap::silent([this] {
        const QString logs = m_settings.programFolder + QStringLiteral("Logs");
        if (!FileSystem::folderExists(logs))
            FileSystem::createFolder(logs);
    });
}

QString SettingsStore::logsFolder() const
{
    return m_settings.programFolder + QStringLiteral("Logs") + Folders::separator();
}

// A user's own file wins; the default install folder's, an administrator's
// shared one, only seeds a first start. Its program folder line is not
// taken, so what the user changes is written to, and read back from, the
// user's own file, and a broken shared file replaces nothing of the user's.
bool SettingsStore::load()
{
    const QString ownFolder = m_settings.programFolder;
    const bool shared = !FileSystem::fileExists(ownFolder + fileName) && defaultInstallFolderExists();
    const bool usable = readFile((shared ? m_folders.defaultInstall : ownFolder) + fileName);
    if (shared)
        m_settings.programFolder = ownFolder;
    if (usable)
        return true;
    writeDefaults();
    resetToDefaults();
    return false;
}

// Values parsed before a failure stay stored; resetToDefaults() then puts
// back all but the folders, the HTML log and the schedule digits.
bool SettingsStore::readFile(const QString &path)
{
    bool usable = false;
    ErrorTrap::silent([&] {
        const QStringList lines = TextFile::readLines(path, SettingsFile::lineCount);
        if (lines.size() < SettingsFile::lineCount)
            throw FileError("vln.ini is short");
        const SettingsFile::Parsed parsed = SettingsFile::parse(lines, m_settings);
        m_window.setPlacement(parsed.placement);
        usable = parsed.invalid == 0;
    });
    return usable;
}

void SettingsStore::resetToDefaults()
{
    const Settings defaults;
    Settings &s = m_settings;
    s.limit = defaults.limit;
    s.fontSize = defaults.fontSize;
    s.standbySeconds = defaults.standbySeconds;
    s.syncTransmit = defaults.syncTransmit;
    s.syncReceive = defaults.syncReceive;
    s.alarm = defaults.alarm;
    s.stampDate = defaults.stampDate;
    s.stampTime = defaults.stampTime;
    s.logChat = defaults.logChat;
    s.speakCallsigns = defaults.speakCallsigns;
    for (ScheduleWindow &window : s.schedule) {
        window.start = defaults.schedule[0].start;
        window.end = defaults.schedule[0].end;
    }
}

void SettingsStore::write(const Settings &values)
{
    ErrorTrap::silent([&] {
        TextFile::writeLines(values.programFolder + fileName,
                             SettingsFile::format(values, m_window.placement()));
    });
}

void SettingsStore::save()
{
    ErrorTrap::silent([this] {
        Settings values = m_settings;
        values.stampDate = m_window.isDateStampChecked();
        values.stampTime = m_window.isTimeStampChecked();
        values.logChat = m_window.isLogChecked();
        write(values);
    });
}

void SettingsStore::writeDefaults()
{
    m_settings.echoLinkFolder = m_folders.defaultEchoLink;
    ErrorTrap::silent([this] {
        // The separator is added even when the folder already ends in one, so
        // a folder from the file without it still names a file inside it.
        TextFile::writeLines(m_settings.programFolder + Folders::separator() + fileName,
                             SettingsFile::defaults(m_settings.echoLinkFolder, m_settings.programFolder));
    });
}
