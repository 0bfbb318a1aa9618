#pragma once

#include "Settings.h"
#include "system/ProgramFolders.h"

#include <QObject>
#include <QString>

#include <optional>

class MessageDialog;

// The program's live settings and their file vln.ini in the program folder.
// vln.ini is read once, at start-up; it is rewritten as a whole by the
// dialogs and at shutdown. What the file keeps of the main window (its
// placement and the Date, Time and Log boxes) is handed in with each write.
// The record changes only through the named operations below; those the
// rest of the program follows are announced by a signal.
class SettingsStore : public QObject
{
    Q_OBJECT

public:
    explicit SettingsStore(MessageDialog &messages, ProgramFolders folders = ProgramFolders::system());

    const Settings &settings() const { return m_settings; }

    // Sets programFolder to the executable's folder; "Module1.getVLNpath
    // Error" when the platform does not know it.
    void locateProgramFolder();
    // Whether echoLinkFolder exists; "Module1.getELProg Error" when the
    // platform query fails.
    bool echoLinkInstalled();
    // Makes sure programFolder + "Logs" exists; false on any failure, silently.
    bool ensureLogsFolder();

    struct Loaded
    {
        // Whether the file was used; otherwise the default file was written
        // and the record holds the in-memory defaults.
        bool usable = false;
        // Where the file places the main window, when it got that far.
        std::optional<WindowPlacement> placement;
    };
    // Reads vln.ini (the default install folder's while the program folder
    // has none). A file that cannot be read or holds any invalid value is
    // replaced by the default file.
    Loaded load();

    // Writes the live record with the window's state; failures are silent
    // and leave the previous file whole.
    void save(const WindowState &window);
    // Writes the default file and resets echoLinkFolder to the default.
    void writeDefaults();

    // The options dialog's switches, stored before its entries are checked.
    void storeSwitches(const OptionSwitches &switches);
    // The options dialog's checked entries: stored, written with the
    // switches as stored, then announced by optionsApplied().
    void applyOptions(const TimeLimit &limit, qint16 fontSize, qint16 standbySeconds,
                      const WindowPlacement &placement);
    // The schedule dialog's windows: stored and saved with their check
    // boxes' digits (a 2 included); then the record keeps only what is armed
    // (digit 1), which scheduleApplied() announces.
    void applySchedule(const std::array<ScheduleWindow, 2> &windows, const WindowState &window);

signals:
    void optionsApplied();
    void scheduleApplied(bool firstArmed, bool secondArmed);

private:
    bool defaultInstallFolderExists();
    std::optional<WindowPlacement> readFile(const QString &path, bool &usable);
    void write(const Settings &values, const WindowPlacement &placement);
    void resetToDefaults();

    MessageDialog &m_messages;
    ProgramFolders m_folders;
    Settings m_settings;
};
