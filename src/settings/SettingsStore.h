#pragma once

#include "ui/MainWindowState.h"
#include "Settings.h"
#include "system/ProgramFolders.h"

#include <QString>

class MessageDialog;

// The program's live settings and their file vln.ini in the program folder.
// vln.ini is read once, at start-up; it is rewritten as a whole by the
// dialogs and at shutdown. The window placement and the Date, Time and Log
// boxes are read from and put back into the main window.
class SettingsStore
{
public:
    SettingsStore(MainWindowState &window, MessageDialog &messages,
                  ProgramFolders folders = ProgramFolders::system());

    const Settings &settings() const { return m_settings; }
    // Replaces the live record; nothing is written.
    void update(const Settings &settings) { m_settings = settings; }
    const ProgramFolders &folders() const { return m_folders; }

    // Sets programFolder to the executable's folder; "Module1.getVLNpath
    // Error" when the platform does not know it.
    void locateProgramFolder();
    // Whether echoLinkFolder exists; "Module1.getELProg Error" when the
    // platform query fails.
    bool echoLinkInstalled();
    // Makes sure programFolder + "Logs" exists; false on any failure, silently.
    bool ensureLogsFolder();
    QString logsFolder() const; // programFolder + "Logs" + separator

    // Reads vln.ini (the default install folder's while the program folder
    // has none) and places the main window. A file that cannot be read or
    // holds any invalid value is replaced by the default file, and the record
    // gets the in-memory defaults; returns whether the file was used.
    bool load();

    // Writes vln.ini from values and the window's placement; failures are
    // silent and leave the previous file whole.
    void write(const Settings &values);
    // Writes the live record, with the Date, Time and Log boxes' states.
    void save();
    // Writes the default file and resets echoLinkFolder to the default.
    void writeDefaults();

private:
    bool defaultInstallFolderExists();
    bool readFile(const QString &path);
    void resetToDefaults();

    MainWindowState &m_window;
    MessageDialog &m_messages;
    ProgramFolders m_folders;
    Settings m_settings;
};
