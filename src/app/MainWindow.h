#pragma once

#include "MainServices.h"

#include "chat/ActivityLog.h"
#include "chat/ChatPanel.h"
#include "chat/ChatView.h"
#include "ui/MainWindowState.h"
#include "settings/SettingsStore.h"
#include "timer/BusyControl.h"
#include "timer/BusyView.h"
#include "timer/TickScheduler.h"
#include "timer/TimerView.h"
#include "timer/TransmissionTimer.h"
#include "ui/MainWindowUi.h"

#include <QMainWindow>

#include <memory>

class ChatHistoryView;
class OptionsDialog;

// The main window is the program: startUp() runs the start-up sequence,
// every way out runs shutDown(), and the process ends with the window. It
// holds the EchoLink session, the one-second tick and the options dialog,
// and shows what the timer, the busy control and the chat panel drive.
class MainWindow : public QMainWindow,
                   public MainWindowState,
                   public TimerView,
                   public BusyView,
                   public ChatView
{
    Q_OBJECT

public:
    explicit MainWindow(MainServices services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence. Afterwards hasEnded() tells whether it ended the
    // program; otherwise the caller shows the window.
    void startUp();
    bool hasEnded() const { return m_ended; }

    // Saves the settings unless the window is minimised, then lets go of
    // EchoLink and of the options dialog.
    void shutDown();

    const SettingsStore &settingsStore() const { return m_settings; }
    const TransmissionTimer &transmissionTimer() const { return m_timer; }
    const ChatPanel &chatPanel() const { return m_chat; }
    const BusyControl &busyControl() const { return m_busy; }
    const MainWindowUi &ui() const { return m_ui; }
    EchoLinkSession *session() const { return m_session.get(); }
    bool isTicking() const { return m_tick.isActive(); }

    // MainWindowState
    WindowPlacement placement() const override;
    void setPlacement(const WindowPlacement &placement) override;
    bool isDateStampChecked() const override;
    bool isTimeStampChecked() const override;
    bool isLogChecked() const override;

    // TimerView
    void setStatusText(const QString &text) override;
    void setStatusBackground(const QColor &colour) override;
    void setStatusColour(const QColor &colour) override;
    void setStateLampColour(const QColor &colour) override;
    void setCountText(const QString &text) override;
    void setLampColours(const LampColours::Table &colours) override;
    void setDayText(const QString &text) override;
    void setDayColour(const QColor &colour) override;
    void requestAttention() override;
    void setCaption(const QString &caption) override;
    bool isMinimised() const override;

    // BusyView
    bool isBusyChecked() const override;
    void setBusyChecked(bool checked) override;
    void setChatBackgroundBusy(bool busy) override;

    // ChatView
    void appendHistory(const QString &chunk) override;
    void setHistory(const QString &text) override;
    void moveHistoryCaretToEnd() override;
    QString selectedHistoryText() const override;
    QString inputText() const override;
    void clearInput() override;
    void focusInput() override;
    void setConnectedCall(const QString &callsign) override;

signals:
    // The program has ended; the process should exit.
    void programEnded();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void runStartUp();
    void endAtStartUp();
    OptionsDialog *optionsDialog();
    void releaseOptionsDialog();
    void attachEchoLink();
    void releaseEchoLink();
    void exitProgram();
    void onEchoLinkClosing();
    void onUnload();
    void unload();
    void endProgram();
    void openOptions();
    void openSchedule();
    void openAbout();
    void openLogViewer();
    void onOptionsApplied();
    void layOutChat();
    void connectControls();
    int menuBarHeight() const;
    void setLabelColour(QWidget *label, QPalette::ColorRole role, const QColor &colour);
    ChatHistoryView *history() const;

    MainServices m_services;
    const MainWindowUi m_ui;
    SettingsStore m_settings;
    std::unique_ptr<EchoLinkSession> m_session;
    BusyControl m_busy;
    TransmissionTimer m_timer;
    ActivityLog m_log;
    ChatPanel m_chat;
    TickScheduler m_tick;
    // The options dialog exists from start-up on, but its window is built
    // the first time it opens: its controls would slow every start.
    bool m_hasOptionsDialog = false;
    OptionsDialog *m_optionsDialog = nullptr;
    // Before start-up sets the Date, Time and Log boxes from the settings, a
    // save takes those values from the settings rather than the cleared boxes.
    bool m_checkBoxesLive = false;
    bool m_unloading = false;
    bool m_ended = false;
};
