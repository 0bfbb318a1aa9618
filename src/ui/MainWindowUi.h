#pragma once

class ChatHistoryView;
class EtchedRule;
class LampBar;
class LedShape;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QWidget;

// The controls of the main window `frmMain` at their design places (twips
// converted through Twips), with the menu bar, fonts, colours, tab order,
// design caption "VorlaneMonitor" and the program's icon. Behaviour lives in
// frmMain; this class only builds the window.
//
// Colours that handlers change are palette roles: the status labels' back
// colour is QPalette::Window (auto-filled), their text colour
// QPalette::WindowText; lChat's background is QPalette::Base.
class MainWindowUi
{
public:
    // Menu bar: mnuFile "File(&F)" holding mnuOpt, mnuTSet, the separator
    // mnuBar and mnuExit; mnuAbout "About(&A)" is an action on the bar itself.
    QMenu *mnuFile = nullptr;
    QAction *mnuOpt = nullptr;
    QAction *mnuTSet = nullptr;
    QAction *mnuBar = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuAbout = nullptr;

    QWidget *central = nullptr; // the client area; carries the window font
    EtchedRule *Line1 = nullptr; // the three lines of Line1 under the menu bar

    LedShape *monLED = nullptr;
    QLabel *txtCount = nullptr;
    QLabel *sConCall = nullptr;
    QLabel *Mesg = nullptr;
    QLabel *txtDayof = nullptr;
    LampBar *Shape1 = nullptr;

    QCheckBox *chkDate = nullptr;
    QCheckBox *chkTime = nullptr;
    QCheckBox *chkLog = nullptr;
    QPushButton *cmdClr = nullptr;
    QCheckBox *chkBusy = nullptr;
    QPushButton *btnView = nullptr;

    ChatHistoryView *lChat = nullptr; // the history view; its keys go to the chat panel
    QLineEdit *sInput = nullptr;      // has the focus when the window opens
    QPushButton *B_Send = nullptr;

    // Builds everything into window and sizes it to the design client area
    // 5520 x 7770 twips below the menu bar.
    void setupUi(QMainWindow *window);

    // The FontSize setting: changes lChat's font size and nothing else.
    void setChatFontSize(int points);
};
