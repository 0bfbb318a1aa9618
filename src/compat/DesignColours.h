#pragma once

// Kept on purpose (see README.md): the colours the program was designed
// with, written as 0xBBGGRR numbers (red in the low byte) as they always
// were. The rest of the program takes them as QColor from here.

#include <QColor>

namespace DesignColours {

constexpr QRgb fromBgr(quint32 bgr)
{
    return qRgb(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

// The status word: its background, and its text per state.
inline const QColor statusBackground = fromBgr(0xE0E0E0);
inline const QColor transmitText = fromBgr(0x0000C0);
inline const QColor receiveText = fromBgr(0x00C000);
inline const QColor waitText = fromBgr(0x00C0C0);
inline const QColor overText = fromBgr(0x0000FF);

// The state lamp.
inline const QColor transmitLamp = fromBgr(0x0000FF);
inline const QColor receiveLamp = fromBgr(0x80FF80);
inline const QColor waitLamp = fromBgr(0x00FFFF);
inline const QColor idleLamp = fromBgr(0x808080);

// The day of the week.
inline const QColor weekday = fromBgr(0x000000);
inline const QColor sunday = fromBgr(0x0000FF);
inline const QColor saturday = fromBgr(0xFF0000);

// The lamp bar: lit green, from lamp 60 yellow, from 75 red; unlit silver.
inline const QColor noLamp = fromBgr(0x000000);
inline const QColor greenLamp = fromBgr(0x00FF00);
inline const QColor yellowLamp = fromBgr(0x00FFFF);
inline const QColor redLamp = fromBgr(0x0000FF);
inline const QColor unlitLamp = fromBgr(0xC0C0C0);

} // namespace DesignColours
