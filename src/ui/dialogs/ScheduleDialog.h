#pragma once

#include <QDialog>

#include <array>

class MainWindowState;
class MessageDialog;
class SettingsStore;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The schedule dialog "SetTime": start and end times of the two daily
// schedule windows and their check boxes. Set checks all twelve boxes
// (white valid, yellow not), hands the windows to the settings store, which
// saves vln.ini and announces which windows are armed, and closes; Cancel
// and the close box store nothing.
//
// The values are loaded when the dialog is created; create one for each
// showing. A stored digit 2 shows as partly checked.
class ScheduleDialog : public QDialog
{
    Q_OBJECT

public:
    ScheduleDialog(SettingsStore &settings, const MainWindowState &mainWindow, MessageDialog &messages,
                   QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Hours, minutes and seconds of one time.
    using TimeBoxes = std::array<QLineEdit *, 3>;

    QList<QLineEdit *> boxes() const;
    void buildLabels();
    void orderTabs();
    void loadValues();
    void apply();
    int markBoxes();

    SettingsStore &m_settings;
    const MainWindowState &m_mainWindow;
    MessageDialog &m_messages;

    // Start and end of the first window, then of the second.
    const std::array<TimeBoxes, 4> m_times;
    const std::array<QCheckBox *, 2> m_enabled;
    QPushButton *const m_set;
    QPushButton *const m_cancel;
};
