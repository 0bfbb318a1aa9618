#pragma once

#include <QDialog>

class Clipboard;
class Clock;
class FileOpenDialog;
class MainWindowState;
class MessageDialog;
struct Settings;
class QPlainTextEdit;

// The log viewer: offers today's text log in a file-open dialog and shows the
// chosen file, read-only, in one scrolling text box whose selection Ctrl+C
// copies. The caption is the file's path.
//
//     LogViewer viewer(...);
//     if (viewer.load())
//         viewer.exec();
class LogViewer : public QDialog
{
    Q_OBJECT

public:
    LogViewer(const Settings &settings, const Clock &clock, const MainWindowState &mainWindow,
              MessageDialog &messages, Clipboard &clipboard, FileOpenDialog &fileDialog,
              QWidget *parent = nullptr);

    // Places the viewer, asks for the file (today's log first) and reads it.
    // Returns false after "File not Found"; the viewer is then not to be
    // shown.
    bool load();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString chooseFile(const QString &proposed);
    void fitText();
    void onTextKey(int key, Qt::KeyboardModifiers modifiers);

    const Settings &m_settings;
    const Clock &m_clock;
    const MainWindowState &m_mainWindow;
    MessageDialog &m_messages;
    Clipboard &m_clipboard;
    FileOpenDialog &m_fileDialog;
    QPlainTextEdit *const m_text;
};
