#include "ChatHistoryView.h"

#include "ReadingKeys.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace {

const QString crLf = QStringLiteral("\r\n");

// The document holds a line break as one block separator.
QString toDocumentText(const QString &crLfText)
{
    QString text = crLfText;
    return text.replace(crLf, QStringLiteral("\n"));
}

QString toCrLfText(const QString &documentText)
{
    QString text = documentText;
    return text.replace(QChar::ParagraphSeparator, crLf);
}

} // namespace

ChatHistoryView::ChatHistoryView(QWidget *parent) : QPlainTextEdit(parent)
{
    // Inserted text is never undone; an undo stack would only grow.
    setUndoRedoEnabled(false);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Lines wrap, so the box has no horizontal bar; without this a line some
    // fonts lay out a pixel too wide would bring one up for good.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWrapAnywhere(false);
}

bool ChatHistoryView::hasLongUnbrokenRun(const QString &text)
{
    int run = 0;
    for (const QChar c : text) {
        run = (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            ? 0
            : run + 1;
        if (run > longestWrappedRun)
            return true;
    }
    return false;
}

void ChatHistoryView::setWrapAnywhere(bool anywhere)
{
    const QTextOption::WrapMode mode = anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
}

void ChatHistoryView::appendCrLfText(const QString &chunk)
{
    if (hasLongUnbrokenRun(chunk))
        setWrapAnywhere(true);
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(toDocumentText(chunk));
}

void ChatHistoryView::setCrLfText(const QString &text)
{
    setWrapAnywhere(hasLongUnbrokenRun(text));
    setPlainText(toDocumentText(text));
}

void ChatHistoryView::moveCaretToEnd()
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
}

QString ChatHistoryView::selectedCrLfText() const
{
    return toCrLfText(textCursor().selectedText());
}

void ChatHistoryView::setKeyHandler(KeyHandler handler)
{
    m_keyHandler = std::move(handler);
}

// Reading keys move the caret and the selection; every other key is only
// the handler's, so the text never changes.
void ChatHistoryView::keyPressEvent(QKeyEvent *event)
{
    if (m_keyHandler)
        m_keyHandler(event->key(), event->modifiers());
    if (ReadingKeys::isReadingKey(event->key(), event->modifiers()))
        QPlainTextEdit::keyPressEvent(event);
    else
        event->accept();
}

// Copies through the context menu carry CR LF line ends too.
QMimeData *ChatHistoryView::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    data->setText(selectedCrLfText());
    return data;
}
