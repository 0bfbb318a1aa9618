#pragma once

#include <QDialog>

class EtchedRule;
class MessageBox;
class QKeyEvent;
class QLabel;
class QPushButton;

// The about box: title, version, description, help file name and two credit
// lines. Built and placed on construction (Form_Load: 250 twips right of and
// 2100 below the main window's frame corner); show it with exec(). OK, Enter
// and Esc close it. Fixed size, inner area 4440 x 2595 twips.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    frmAbout(QWidget *mainWindow, MessageBox &messages);

    QPushButton *cmdOK = nullptr;
    QLabel *picIcon = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *copyright = nullptr;
    QLabel *readme = nullptr;
    QLabel *Thanks = nullptr;
    EtchedRule *Line1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void Form_Load(QWidget *mainWindow);
    void cmdOK_Click();

    MessageBox &m_messages;
};
