#include "WindowsKeys.h"

namespace WindowsKeys {

namespace {

constexpr int backspace = 8;
constexpr int formFeed = 12;

} // namespace

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

int typedCharacter(const QKeyEvent &event)
{
    const int key = event.key();
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    if (key == Qt::Key_Backspace)
        return backspace;
    const QString text = event.text();
    if (text.isEmpty() || text.at(0).category() == QChar::Other_Control)
        return 0;
    return text.at(0).unicode();
}

bool refusedByDigitBox(const QKeyEvent &event)
{
    const int code = typedCharacter(event);
    const bool passes = (code >= '0' && code <= '9') || code == backspace || code == formFeed;
    return code != 0 && !passes;
}

} // namespace WindowsKeys
