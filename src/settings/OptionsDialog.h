#pragma once

#include <QDialog>
#include <QHash>

class MessageBox;
class Module1;
class SettingsWindow;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The options dialog "Option Setting": the transmit time limit, the font
// size, the standby time and seven on/off settings. Set checks the entries
// (white valid, yellow not), stores them, restarts the count, writes vln.ini,
// raises evtClick and closes; Cancel closes without storing.
//
// Form_Load runs each time the dialog is shown, so one instance may be shown
// again and again. Every handler runs under its own trap.
class frmOpt : public QDialog
{
    Q_OBJECT

public:
    frmOpt(Module1 &module, SettingsWindow &mainWindow, MessageBox &messages, QWidget *parent = nullptr);

    // Handed back unchanged by evtClick.
    qint32 iNG = 0;

    QLineEdit *const inHH;
    QLineEdit *const inMM;
    QLineEdit *const inSS;
    QLineEdit *const inFsize;
    QLineEdit *const inStby;
    QCheckBox *const chkTX;
    QCheckBox *const chkRX;
    QCheckBox *const chkAlm;
    QCheckBox *const chkDate;
    QCheckBox *const chkTime;
    QCheckBox *const chkLog;
    QCheckBox *const chkSpeech;
    QPushButton *const btnCancel;
    QPushButton *const OkBtn;

    // Places the dialog beside the main window and fills it from Settings
    // and from the main window's Date, Time and Log boxes.
    void Form_Load();
    void OkBtn_Click();
    void btnCancel_Click();

    // Digit filters: KeyAscii becomes 0 unless it is a digit, 8 or 12.
    void inHH_KeyPress(int &KeyAscii);
    void inMM_KeyPress(int &KeyAscii);
    void inSS_KeyPress(int &KeyAscii);
    void inFsize_KeyPress(int &KeyAscii);
    void inStby_KeyPress(int &KeyAscii);

signals:
    // Raised once per successful Set, just before the dialog closes; Settings
    // already holds the new values.
    void evtClick(qint32 lngParam);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using KeyPressHandler = void (frmOpt::*)(int &);

    void buildLabels();
    void orderTabs();
    void storeSwitches();
    int markEntries();
    void digitsOnly(const QString &trapText, int &KeyAscii);

    Module1 &m_module;
    SettingsWindow &m_mainWindow;
    MessageBox &m_messages;
    QHash<QObject *, KeyPressHandler> m_keyPress;
};
