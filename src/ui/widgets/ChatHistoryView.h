#pragma once

#include <QPlainTextEdit>

#include <functional>

// The chat history control: a read-only plain-text box that shows CR LF text
// and hands its keys to the chat panel. An entry is inserted at the end of
// the document, so appending costs the same with a short or a long history
// (a whole-text replace would lay everything out again).
class ChatHistoryView : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit ChatHistoryView(QWidget *parent = nullptr);

    void appendCrLfText(const QString &chunk);
    void setCrLfText(const QString &text);
    void moveCaretToEnd();
    QString selectedCrLfText() const;

    // Every key pressed in the box goes to keyDown (key code, shift state:
    // Shift 1, Ctrl 2, Alt 4) and, unless that returns 0, its character to
    // keyPress. The box itself never acts on a key, so its text cannot be
    // edited.
    using KeyDownHandler = std::function<int(int keyCode, int shift)>;
    using KeyPressHandler = std::function<int(int character)>;
    void setKeyHandlers(KeyDownHandler keyDown, KeyPressHandler keyPress);

    // The Windows key code of a Qt key where the two differ (Escape 27,
    // Enter 13, Ctrl 17, ...); letters and digits are the same in both.
    static int windowsKeyCode(int qtKey);
    static int shiftState(Qt::KeyboardModifiers modifiers);

    // Word wrapping that breaks a word only when it does not fit on a line
    // scans the whole of an unbroken run for every line it lays out, which
    // for one long message takes minutes; a text holding a run longer than
    // this is wrapped anywhere instead.
    static constexpr int longestWrappedRun = 2000;
    static bool hasLongUnbrokenRun(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    void setWrapAnywhere(bool anywhere);

    KeyDownHandler m_keyDown;
    KeyPressHandler m_keyPress;
};
