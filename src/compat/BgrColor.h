#pragma once

#include <QColor>

// Colours are written as 0xBBGGRR numbers (red in the low byte).
inline QColor fromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}
