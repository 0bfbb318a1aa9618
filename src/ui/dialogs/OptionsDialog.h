#pragma once

#include <QDialog>
#include <QHash>

class MainWindowState;
class MessageDialog;
class SettingsStore;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The options dialog "Option Setting": the transmit time limit, the chat
// font size, the standby time and seven on/off settings. Set stores the
// switches, checks the entries (white valid, yellow not) and, when all are
// valid, hands them to the settings store, which writes vln.ini and
// announces them, and closes; Cancel closes without storing.
//
// The values are loaded each time the dialog is shown, so one instance can
// be shown again and again. Every handler runs under its own error trap,
// whose message names the handler.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    OptionsDialog(SettingsStore &settings, const MainWindowState &mainWindow, MessageDialog &messages,
                  QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLabels();
    void orderTabs();
    void loadValues();
    void apply();
    void storeSwitches();
    int markEntries();
    bool refusesKey(QObject *box, const QKeyEvent &event);

    SettingsStore &m_settings;
    const MainWindowState &m_mainWindow;
    MessageDialog &m_messages;

    QLineEdit *const m_hours;
    QLineEdit *const m_minutes;
    QLineEdit *const m_seconds;
    QLineEdit *const m_fontSize;
    QLineEdit *const m_standby;
    QCheckBox *const m_syncTransmit;
    QCheckBox *const m_syncReceive;
    QCheckBox *const m_alarm;
    QCheckBox *const m_stampDate;
    QCheckBox *const m_stampTime;
    QCheckBox *const m_logChat;
    QCheckBox *const m_speech;
    QPushButton *const m_cancel;
    QPushButton *const m_set;
    // Each entry's digit filter and the message its trap shows.
    QHash<QObject *, QString> m_filterErrors;
};
