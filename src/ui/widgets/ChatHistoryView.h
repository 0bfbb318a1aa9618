#pragma once

#include <QPlainTextEdit>

#include <functional>

// The chat history control: a read-only plain-text box that shows CR LF text
// and hands its keys to a key handler (the chat panel's). An entry is inserted at the end of
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

    // Every key pressed in the box goes to the handler. The box itself acts
    // only on the keys that move the caret or the selection (ReadingKeys), so
    // its text cannot be edited.
    using KeyHandler = std::function<void(int key, Qt::KeyboardModifiers modifiers)>;
    void setKeyHandler(KeyHandler handler);

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

    KeyHandler m_keyHandler;
};
