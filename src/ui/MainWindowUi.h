#pragma once

#include "chat/ChatView.h"
#include "timer/BusyView.h"
#include "timer/TimerView.h"

#include <QPalette>

class ChatHistoryView;
class EtchedRule;
class LampBar;
class ScreenReaderNotice;
class StateLamp;
class StatusPanel;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QWidget;

// The controls of the main window at their design places (twips converted
// through Twips), with the menu bar, fonts, colours, tab order, the design
// caption "VorlaneMonitor" and the program's icon, and what the timer, the
// busy control and the chat panel show on them. Every control carries its
// member's name as its object name.
//
// Colours that handlers change are palette roles: the status labels' back
// colour is QPalette::Window (auto-filled), their text colour
// QPalette::WindowText; the history's background is QPalette::Base.
class MainWindowUi : public TimerView, public BusyView, public ChatView
{
public:
    // Builds everything into window and sizes it to the design client area
    // 5520 x 7770 twips below the menu bar.
    explicit MainWindowUi(QMainWindow *window);

    // The FontSize setting: changes the history's font size and nothing else.
    void setChatFontSize(int points) const;
    void setSwitches(const ChatSwitches &switches) const;

    // TimerView: each setter leaves an unchanged control alone, so the tick
    // repaints only what changed.
    void setStatusText(const QString &text) override;
    void setStatusBackground(const QColor &colour) override;
    void setStatusColour(const QColor &colour) override;
    void setStateLamp(LampState state) override;
    void setCountText(const QString &text) override;
    void setLampLevel(qint16 level) override;
    void setDayText(const QString &text) override;
    void setDayColour(const QColor &colour) override;
    void requestAttention() override;
    void announce(const QString &text) override;
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
    ChatSwitches switches() const override;
    void setConnectedCall(const QString &callsign) override;

    QMainWindow *const window;

    // File(&F): Option, Timer, a separator, Exit; About(&A) on the bar itself.
    QMenu *const fileMenu;
    QAction *const optionsAction;
    QAction *const scheduleAction;
    QAction *const exitAction;
    QAction *const aboutAction;

    QWidget *const central; // the client area; carries the window font
    EtchedRule *const rule; // the three lines under the menu bar

    // The top row, which assistive technology sees as the status bar.
    StatusPanel *const statusPanel;
    StateLamp *const stateLamp;
    QLabel *const count;
    QLabel *const connectedCall;
    QLabel *const status;
    QLabel *const day;
    LampBar *const lampBar;

    QCheckBox *const dateStamp;
    QCheckBox *const timeStamp;
    QCheckBox *const log;
    QPushButton *const clear;
    QCheckBox *const busy;
    QPushButton *const logOpen;

    ChatHistoryView *const history; // its keys go to the chat panel
    QLineEdit *const input;         // has the focus when the window opens
    QPushButton *const send;

    // Says short texts to a screen reader; shows nothing.
    ScreenReaderNotice *const notice;
};
