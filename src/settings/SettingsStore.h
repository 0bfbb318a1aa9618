#pragma once

#include "Settings.h"
#include "SettingsWindow.h"

#include <QString>

class MessageBox;

// The program's fixed folders; Folders gives the real ones, tests their own.
struct ProgramFolders
{
    QString program;        // where the executable (or its data) lives, with a trailing separator
    QString defaultInstall; // read instead of the program folder when it exists
    QString defaultEchoLink;

    static ProgramFolders system();
};

// What ReadSettings hands back to start-up: the twelve values and whether
// the file was usable.
struct SettingsReadResult
{
    qint16 TimerHH = 0;
    qint16 TimerMM = 0;
    qint16 TimerSS = 0;
    qint16 FontSize = 0;
    qint16 Standby = 0;
    bool SyncTX = false;
    bool SyncRX = false;
    bool Alarm = false;
    bool DispDate = false;
    bool DispTime = false;
    bool LogFile = false;
    bool Speech = false;
    bool ok = false;
};

// The shared module: the Settings record, the module-wide count, the
// schedule flags, and the procedures that find the folders and read and write
// vln.ini.
class Module1
{
public:
    Module1(SettingsWindow &window, MessageBox &messages, ProgramFolders folders = ProgramFolders::system());

    Settings settings;

    // The count shown in txtCount and the timer's module-wide state.
    qint16 RemainHH = 0;
    qint16 RemainMM = 0;
    qint16 RemainSS = 0;
    bool Counting = false;
    qint32 TimerTotal = 0;
    QString LastTick;
    qint16 LastLevel = 0;

    // Run-time enable flags of the two schedule windows: 1 enabled, 0 not.
    qint16 Timer01On = 0;
    qint16 Timer02On = 0;

    // The values of the schedule dialog's check boxes chkT00 and chkT01
    // (0 unchecked, 1 checked, 2 indeterminate): the enable digits that
    // vln.ini stores. They outlive the dialog itself.
    int chkT00 = 0;
    int chkT01 = 0;

    void getVLNpath();
    bool getDefVLNpath();
    bool getELProg();
    bool EnsureLogsFolder();

    SettingsReadResult ReadSettings();
    void WriteSettings(qint16 hh, qint16 mm, qint16 ss, qint16 fontSize, qint16 standby,
                       int syncTX, int syncRX, int alarm, int dispDate, int dispTime, int logFile,
                       int speech);
    void WriteDefaultSettings();
    void SaveSettings();

    // Start-up's use of the reader's result: the values when usable, the
    // in-memory defaults otherwise.
    void takeReadResult(const SettingsReadResult &result);

    // The limit in seconds, in 16-bit steps; throws OverflowError past 32767.
    static qint32 totalSeconds(qint16 hh, qint16 mm, qint16 ss);

    QString logsFolder() const; // VLNDir + "Logs" + separator

    const ProgramFolders &folders() const { return m_folders; }

private:
    void parseSettings(const QStringList &lines, SettingsReadResult &result);

    SettingsWindow &m_window;
    MessageBox &m_messages;
    ProgramFolders m_folders;
};
