#pragma once

#include <QDialog>

class MessageBox;
class Module1;
class SettingsWindow;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The schedule dialog "SetTime": start and end times of the two daily
// schedule windows and their check boxes. Set checks all twelve boxes
// (white valid, yellow not), stores the times and the enable flags, saves
// vln.ini and closes; Cancel and the close box store nothing.
//
// The check boxes show and set Module1::chkT00 / chkT01, the stored enable
// digits (2 shows as partly checked), which outlive the dialog. Form_Load
// runs when the dialog is created; create one for each showing.
class frmTimeSet : public QDialog
{
    Q_OBJECT

public:
    frmTimeSet(Module1 &module, SettingsWindow &mainWindow, MessageBox &messages, QWidget *parent = nullptr);

    // Rows: inH00..inS00 start and inH01..inS01 end of Timer01,
    // inH02..inS02 start and inH03..inS03 end of Timer02.
    QLineEdit *const inH00;
    QLineEdit *const inM00;
    QLineEdit *const inS00;
    QLineEdit *const inH01;
    QLineEdit *const inM01;
    QLineEdit *const inS01;
    QLineEdit *const inH02;
    QLineEdit *const inM02;
    QLineEdit *const inS02;
    QLineEdit *const inH03;
    QLineEdit *const inM03;
    QLineEdit *const inS03;
    QCheckBox *const chkT00;
    QCheckBox *const chkT01;
    QPushButton *const btnSet;
    QPushButton *const btnCancel;

    void Form_Load();
    void btnSet_Click();
    void btnCancel_Click();

    // The digit filter of each of the twelve boxes: KeyAscii becomes 0
    // unless it is a digit, 8 or 12.
    static void in_KeyPress(int &KeyAscii);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QLineEdit *> boxes() const;
    void buildLabels();
    void orderTabs();
    int markBoxes();
    void storeTimes();

    Module1 &m_module;
    SettingsWindow &m_mainWindow;
    MessageBox &m_messages;
};
