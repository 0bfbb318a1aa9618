#pragma once

#include <QString>

#include <array>

// The transmit time limit: hours 0..99, minutes and seconds 0..59.
struct TimeLimit
{
    qint16 hours = 0;
    qint16 minutes = 3;
    qint16 seconds = 0;

    // hours * 3600 + minutes * 60 + seconds, every step in 16 bits, widened
    // to 32; throws OverflowError past 32767 seconds (09:06:07), although
    // hours up to 99 can be entered and stored.
    qint32 totalSeconds() const;
};

// The main window's placement: outer left, top, width and height in twips.
struct WindowPlacement
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The main window's Date, Time and Log boxes.
struct ChatSwitches
{
    bool stampDate = false;
    bool stampTime = true;
    bool logChat = false;
};

// What vln.ini keeps of the main window besides the settings record.
struct WindowState
{
    WindowPlacement placement;
    ChatSwitches switches;
};

// The options dialog's on/off settings.
struct OptionSwitches
{
    bool syncTransmit = true;
    bool syncReceive = true;
    bool alarm = false;
    ChatSwitches chat;
    bool speakCallsigns = false;
};

// One daily schedule window as vln.ini keeps it.
struct ScheduleWindow
{
    QString start = QStringLiteral("00:00:00");
    QString end = QStringLiteral("00:00:00");
    // The schedule dialog's check box: 0 off, 1 on, 2 partly. Only the
    // dialog's Set arms a window for the running program.
    int enableDigit = 0;
};

// The user's settings as vln.ini holds them, but for the window placement,
// which the main window itself keeps. A plain value: SettingsStore holds the
// program's one live copy, which the timer, the chat and the dialogs read. The initial values are the in-memory defaults
// that stand in for a vln.ini that could not be used.
struct Settings
{
    TimeLimit limit;
    qint16 fontSize = 9;
    qint16 standbySeconds = 5;

    bool syncTransmit = true;
    bool syncReceive = true;
    bool alarm = false;
    // Start states of the main window's Date, Time and Log boxes; while the
    // program runs the boxes themselves are the live values.
    bool stampDate = false;
    bool stampTime = true;
    bool logChat = false;
    bool speakCallsigns = false;

    QString echoLinkFolder;
    QString programFolder;
    QString htmlLog;

    std::array<ScheduleWindow, 2> schedule;

    // programFolder + "Logs" + separator, where the daily text logs go.
    QString logsFolder() const;
    ChatSwitches chatSwitches() const { return {stampDate, stampTime, logChat}; }
};
