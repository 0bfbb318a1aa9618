#pragma once

#include <QKeyEvent>

// The character code that a key press types, as a KeyPress filter sees it.
namespace TypedKey {

// Ctrl with a letter types its control code (Ctrl+L is 12, Ctrl+V 22);
// backspace is 8. Keys that type nothing (moves, Tab, Enter, Esc, Delete)
// give 0 and are no filter's business.
inline int code(const QKeyEvent &event)
{
    const int key = event.key();
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    if (key == Qt::Key_Backspace)
        return 8;
    const QString text = event.text();
    if (text.isEmpty() || text.at(0).category() == QChar::Other_Control)
        return 0;
    return text.at(0).unicode();
}

// The numeric boxes' rule: digits, backspace and code 12 pass.
inline bool isDigitKey(int code)
{
    return (code >= '0' && code <= '9') || code == 8 || code == 12;
}

} // namespace TypedKey
