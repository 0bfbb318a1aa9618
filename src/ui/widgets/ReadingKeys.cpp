#include "ReadingKeys.h"

namespace ReadingKeys {

bool isReadingKey(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers kept = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier
                                                    | Qt::MetaModifier);
    if (key == Qt::Key_A)
        return kept == Qt::ControlModifier;
    if (kept & (Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

} // namespace ReadingKeys
