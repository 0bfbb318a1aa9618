#pragma once

#include "MainServices.h"

#include "chat/ActivityLog.h"
#include "chat/ChatPanel.h"
#include "chat/ChatView.h"
#include "settings/Module1.h"
#include "settings/SettingsWindow.h"
#include "timer/BusyControl.h"
#include "timer/BusyView.h"
#include "timer/TickScheduler.h"
#include "timer/TimerView.h"
#include "timer/TransmissionTimer.h"
#include "ui/MainWindowUi.h"

#include <QMainWindow>

#include <memory>

class ChatHistoryView;
class frmOpt;

// The main window is the program: loading it runs the start-up sequence,
// every way out runs ProgEnding, and the process ends with it. It owns the
// session Echo, the tick Timer1 and the options dialog mfrmT, and shows what
// the timer, the busy control and the chat panel drive.
class frmMain : public QMainWindow,
                public SettingsWindow,
                public TimerView,
                public BusyView,
                public ChatView
{
    Q_OBJECT

public:
    explicit frmMain(MainServices services, QWidget *parent = nullptr);
    ~frmMain() override;

    // The start-up sequence. Afterwards hasEnded() tells whether it ended the
    // program; otherwise the caller shows the window.
    void Form_Load();
    bool hasEnded() const { return m_ended; }

    Module1 &module() { return m_module; }
    TransmissionTimer &transmissionTimer() { return m_timer; }
    ChatPanel &chatPanel() { return m_chat; }
    BusyControl &busyControl() { return m_busy; }
    MainWindowUi &ui() { return m_ui; }
    EchoLinkSession *Echo() const { return m_echo.get(); }
    bool isTicking() const { return m_tick.isActive(); }

    void ProgEnding();
    void mnuExit_Click();
    void Echo_Closing();
    void mnuOpt_Click();
    void mnuTSet_Click();
    void mnuAbout_Click();
    void btnView_Click();
    void mfrmT_evtClick(qint32 lngParam);
    void Form_Resize();

    // SettingsWindow
    WindowPlacement placement() const override;
    void setPlacement(const WindowPlacement &placement) override;
    bool chkDateChecked() const override;
    bool chkTimeChecked() const override;
    bool chkLogChecked() const override;

    // TimerView
    void setMesgText(const QString &text) override;
    void setMesgBackColour(const QColor &colour) override;
    void setMesgForeColour(const QColor &colour) override;
    void setMonLedColour(const QColor &colour) override;
    void setCountText(const QString &text) override;
    void setLampColours(const LampColours::Table &colours) override;
    void setDayText(const QString &text) override;
    void setDayForeColour(const QColor &colour) override;
    void requestAttention() override;
    void setCaption(const QString &caption) override;
    bool isMinimised() const override;

    // BusyView
    bool isChkBusyChecked() const override;
    void setChkBusyChecked(bool checked) override;
    void setChatBackgroundBusy(bool busy) override;

    // ChatView
    void appendHistory(const QString &chunk) override;
    void setHistory(const QString &text) override;
    void moveHistoryCaretToEnd() override;
    QString selectedHistoryText() const override;
    QString inputText() const override;
    void clearInput() override;
    void focusInput() override;
    void setConnectedCall(const QString &call) override;

signals:
    // The program has ended; the process should exit.
    void programEnded();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void startUp();
    void createOptionsDialog();
    frmOpt *loadOptionsDialog();
    void releaseOptionsDialog();
    void attachEcho();
    void releaseEcho();
    void Form_Unload();
    void unload();
    void endProgram();
    void connectControls();
    int menuBarHeight() const;
    void setLabelColour(QWidget *label, QPalette::ColorRole role, const QColor &colour);
    ChatHistoryView *history() const;

    MainServices m_services;
    MainWindowUi m_ui;
    Module1 m_module;
    std::unique_ptr<EchoLinkSession> m_echo;
    BusyControl m_busy;
    TransmissionTimer m_timer;
    ActivityLog m_log;
    ChatPanel m_chat;
    TickScheduler m_tick;
    // The options dialog instance exists from start-up on, but its window is
    // built the first time it opens: its controls would slow every start.
    bool m_hasOptionsDialog = false;
    frmOpt *mfrmT = nullptr;
    // Before start-up sets the Date, Time and Log boxes from Settings, a save
    // takes those values from Settings rather than the cleared boxes.
    bool m_checkBoxesLive = false;
    bool m_unloading = false;
    bool m_ended = false;
};
