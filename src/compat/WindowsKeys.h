#pragma once

// Kept on purpose (see README.md): keys as Windows reports them to a
// handler, which decides on the Windows codes. Do not "correct" these into
// Qt's keys: Ctrl+Shift+C must not copy, and Ctrl+L must pass a digit box.

#include <QKeyEvent>

namespace WindowsKeys {

// The shift state of a key: Shift 1, Ctrl 2, Alt 4, summed.
int shiftState(Qt::KeyboardModifiers modifiers);

// Ctrl alone, not with Shift or Alt: the state in which C copies.
inline bool isCtrlAlone(Qt::KeyboardModifiers modifiers)
{
    return shiftState(modifiers) == 2;
}

// The character code a key press types, as a KeyPress handler sees it:
// Ctrl with a letter types its control code (Ctrl+L is 12, Ctrl+V 22),
// backspace is 8. Keys that type nothing (moves, Tab, Enter, Esc, Delete)
// give 0.
int typedCharacter(const QKeyEvent &event);

// The numeric boxes' rule: a key that types a character other than a digit,
// backspace or code 12 is discarded.
bool refusedByDigitBox(const QKeyEvent &event);

} // namespace WindowsKeys
