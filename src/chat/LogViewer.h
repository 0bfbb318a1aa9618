#pragma once

#include <QDialog>

class Clipboard;
class Clock;
class FileOpenDialog;
class MessageBox;
class Module1;
class SettingsWindow;
class QPlainTextEdit;

// The log viewer: offers today's text log in a file-open dialog and shows the
// chosen file, read-only, in one scrolling text box whose selection Ctrl+C
// copies. The caption is the file's path.
//
//     frmView view(...);
//     if (view.load())
//         view.exec();
class frmView : public QDialog
{
    Q_OBJECT

public:
    frmView(Module1 &module, const Clock &clock, SettingsWindow &mainWindow, MessageBox &messages,
            Clipboard &clipboard, FileOpenDialog &fileDialog, QWidget *parent = nullptr);

    QPlainTextEdit *const Text1;

    // Places the viewer, asks for the file (today's log first) and reads it.
    // Returns false after "File not Found"; the viewer is then not to be
    // shown.
    bool load();

    // Shows the file-open dialog proposing fileName and takes the name it
    // hands back unless that is empty.
    void OpenLogFileDialog(QString &fileName);

    // Keeps the outer size at 1680 x 1200 twips or more and fills the window
    // with Text1.
    void Form_Resize();

    // Ctrl+C (Shift == 2, Ctrl alone) copies the selection as CR LF text;
    // every other key is discarded (KeyCode 0).
    void Text1_KeyDown(int &KeyCode, int Shift);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Module1 &m_module;
    const Clock &m_clock;
    SettingsWindow &m_mainWindow;
    MessageBox &m_messages;
    Clipboard &m_clipboard;
    FileOpenDialog &m_fileDialog;
};
