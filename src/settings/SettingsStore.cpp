#include "SettingsStore.h"

#include "SettingsFile.h"
#include "compat/ErrorTrap.h"
#include "compat/RunTimeError.h"
#include "compat/Texts.h"
#include "desktop/MessageDialog.h"
#include "encoding/TextFile.h"
#include "system/FileSystem.h"
#include "system/Folders.h"

namespace {

const QString fileName = QStringLiteral("vln.ini");

} // namespace

SettingsStore::SettingsStore(MessageDialog &messages, ProgramFolders folders)
    : m_messages(messages), m_folders(std::move(folders))
{
    m_settings.programFolder = m_folders.program;
    m_settings.echoLinkFolder = m_folders.defaultEchoLink;
}

void SettingsStore::locateProgramFolder()
{
    ErrorTrap::report(m_messages, Texts::ErrorBox::programFolder, [this] {
        if (m_folders.program.isEmpty())
            throw FileError("program folder unknown");
        m_settings.programFolder = Folders::withSeparator(m_folders.program);
    });
}

bool SettingsStore::defaultInstallFolderExists()
{
    bool exists = false;
    ErrorTrap::report(m_messages, Texts::ErrorBox::defaultInstallFolder,
                      [&] { exists = FileSystem::folderExists(m_folders.defaultInstall); });
    return exists;
}

bool SettingsStore::echoLinkInstalled()
{
    bool exists = false;
    ErrorTrap::report(m_messages, Texts::ErrorBox::echoLinkFolder,
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

// A user's own file wins; the default install folder's, an administrator's
// shared one, only seeds a first start. Its program folder line is not
// taken, so what the user changes is written to, and read back from, the
// user's own file, and a broken shared file replaces nothing of the user's.
SettingsStore::Loaded SettingsStore::load()
{
    const QString ownFolder = m_settings.programFolder;
    const bool shared = !FileSystem::fileExists(ownFolder + fileName) && defaultInstallFolderExists();
    Loaded loaded;
    loaded.placement = readFile((shared ? m_folders.defaultInstall : ownFolder) + fileName, loaded.usable);
    if (shared)
        m_settings.programFolder = ownFolder;
    if (!loaded.usable) {
        writeDefaults();
        resetToDefaults();
    }
    return loaded;
}

// Values parsed before a failure stay stored; resetToDefaults() then puts
// back all but the folders, the HTML log and the schedule digits.
std::optional<WindowPlacement> SettingsStore::readFile(const QString &path, bool &usable)
{
    std::optional<WindowPlacement> placement;
    usable = false;
    ErrorTrap::silent([&] {
        const QStringList lines = TextFile::readLines(path, SettingsFile::lineCount);
        if (lines.size() < SettingsFile::lineCount)
            throw FileError("vln.ini is short");
        const SettingsFile::Parsed parsed = SettingsFile::parse(lines, m_settings);
        placement = parsed.placement;
        usable = parsed.invalid == 0;
    });
    return placement;
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

void SettingsStore::write(const Settings &values, const WindowPlacement &placement)
{
    ErrorTrap::silent([&] {
        TextFile::writeLines(values.programFolder + fileName, SettingsFile::format(values, placement));
    });
}

void SettingsStore::save(const WindowState &window)
{
    Settings values = m_settings;
    values.stampDate = window.switches.stampDate;
    values.stampTime = window.switches.stampTime;
    values.logChat = window.switches.logChat;
    write(values, window.placement);
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

void SettingsStore::storeSwitches(const OptionSwitches &switches)
{
    m_settings.syncTransmit = switches.syncTransmit;
    m_settings.syncReceive = switches.syncReceive;
    m_settings.alarm = switches.alarm;
    m_settings.stampDate = switches.chat.stampDate;
    m_settings.stampTime = switches.chat.stampTime;
    m_settings.logChat = switches.chat.logChat;
    m_settings.speakCallsigns = switches.speakCallsigns;
}

void SettingsStore::applyOptions(const TimeLimit &limit, qint16 fontSize, qint16 standbySeconds,
                                 const WindowPlacement &placement)
{
    m_settings.limit = limit;
    m_settings.fontSize = fontSize;
    m_settings.standbySeconds = standbySeconds;
    write(m_settings, placement);
    emit optionsApplied();
}

void SettingsStore::applySchedule(const std::array<ScheduleWindow, 2> &windows, const WindowState &window)
{
    m_settings.schedule = windows;
    save(window);
    const bool first = windows[0].enableDigit == 1;
    const bool second = windows[1].enableDigit == 1;
    m_settings.schedule[0].enableDigit = first ? 1 : 0;
    m_settings.schedule[1].enableDigit = second ? 1 : 0;
    emit scheduleApplied(first, second);
}
