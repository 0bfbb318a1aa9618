#pragma once

#include "MainServices.h"

#include "chat/ActivityLog.h"
#include "chat/ChatPanel.h"
#include "settings/SettingsStore.h"
#include "timer/BusyControl.h"
#include "timer/TickScheduler.h"
#include "timer/TransmissionTimer.h"
#include "ui/dialogs/MainWindowState.h"
#include "ui/MainWindow.h"

#include <QObject>

#include <memory>

class OptionsDialog;

// The program from start to end: runs the start-up sequence, holds the
// EchoLink session, the settings, the one-second tick and the options
// dialog, wires the main window to the timer, the busy control and the
// chat panel, and ends the program.
//
// Three ways of ending: File > Exit (onExitChosen), EchoLink closing
// (onEchoLinkClosing) and the window closed (onWindowClosed). Each runs
// endSession(): save the settings unless the window is minimised, release
// EchoLink, release the options dialog. Start-up may instead refuse to run
// (EchoLink not installed, another instance running) or fail; those end the
// program too.
class AppController : public QObject, public MainWindowState
{
    Q_OBJECT

public:
    explicit AppController(MainServices services, QObject *parent = nullptr);
    ~AppController() override;

    // The start-up sequence. Afterwards hasEnded() tells whether it ended the
    // program; otherwise the caller shows the window.
    void startUp();
    bool hasEnded() const { return m_ended; }

    MainWindow &window() { return m_window; }
    const SettingsStore &settingsStore() const { return m_settings; }
    const TransmissionTimer &transmissionTimer() const { return m_timer; }
    const ChatPanel &chatPanel() const { return m_chat; }
    const BusyControl &busyControl() const { return m_busy; }
    EchoLinkSession *session() const { return m_session.get(); }
    bool isTicking() const { return m_tick.isActive(); }

    // The main window's placement, and its Date, Time and Log boxes once
    // start-up has set them (the settings' values before that).
    WindowState windowState() const override;

    void onExitChosen();
    void onEchoLinkClosing();
    void onWindowClosed();

signals:
    // The program has ended; the process should exit.
    void programEnded();

private:
    void connectWindow();
    void runStartUpSteps();
    void refuseWithoutEchoLink();
    void refuseSecondInstance();
    void failStartUp();

    void attachEchoLink();
    void endProgram(const QString &errorBox);
    void endSession();
    void saveSettings();
    void releaseEchoLink();
    void releaseOptionsDialog();
    void closeMainWindow();
    void quit();

    OptionsDialog *optionsDialog();
    void openOptions();
    void openSchedule();
    void openAbout();
    void openLogViewer();
    void onOptionsApplied();

    MainServices m_services;
    MainWindow m_window;
    SettingsStore m_settings;
    std::unique_ptr<EchoLinkSession> m_session;
    // A released session is deleted once its event (Closing, say) has been
    // handled, or with the controller when no event loop ran.
    std::unique_ptr<EchoLinkSession> m_releasedSession;
    BusyControl m_busy;
    TransmissionTimer m_timer;
    ActivityLog m_log;
    ChatPanel m_chat;
    TickScheduler m_tick;
    // The options dialog exists from start-up on, but its window is built
    // the first time it opens: its controls would slow every start.
    bool m_hasOptionsDialog = false;
    OptionsDialog *m_optionsDialog = nullptr;
    // Until start-up sets the Date, Time and Log boxes from the settings, a
    // save takes those values from the settings rather than the cleared boxes.
    bool m_switchesSet = false;
    bool m_windowClosing = false;
    bool m_ended = false;
};
