#pragma once

class ChatHistoryView;
class EtchedRule;
class LampBar;
class StateLamp;
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
// caption "VorlaneMonitor" and the program's icon. Behaviour lives in the
// window; this class only builds it. Every control carries its member's
// name as its object name.
//
// Colours that handlers change are palette roles: the status labels' back
// colour is QPalette::Window (auto-filled), their text colour
// QPalette::WindowText; the history's background is QPalette::Base.
class MainWindowUi
{
public:
    // Builds everything into window and sizes it to the design client area
    // 5520 x 7770 twips below the menu bar.
    explicit MainWindowUi(QMainWindow *window);

    // The FontSize setting: changes the history's font size and nothing else.
    void setChatFontSize(int points) const;

    // File(&F): Option, Timer, a separator, Exit; About(&A) on the bar itself.
    QMenu *const fileMenu;
    QAction *const optionsAction;
    QAction *const scheduleAction;
    QAction *const exitAction;
    QAction *const aboutAction;

    QWidget *const central; // the client area; carries the window font
    EtchedRule *const rule; // the three lines under the menu bar

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
};
