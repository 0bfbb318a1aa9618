#pragma once

#include <Qt>

// Keys that move the caret or the selection in a read-only text and change
// nothing: the arrows, Home, End, Page Up and Page Down, alone, with Shift to
// select or with Ctrl for words and the ends of the text; and Ctrl+A, which
// selects all. Screen readers read a text by moving its caret, and keyboard
// users select with these keys.
namespace ReadingKeys {

bool isReadingKey(int key, Qt::KeyboardModifiers modifiers);

} // namespace ReadingKeys
