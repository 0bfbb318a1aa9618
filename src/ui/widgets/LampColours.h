#pragma once

#include <QColor>
#include <QtGlobal>

#include <array>

// The colours of the 90-lamp bar for a level: lamps 1 to level green, from 60
// yellow and from 75 red over it, the rest silver. Index 0 has no lamp.
namespace LampColours {

constexpr int LampCount = 90;
using Table = std::array<QColor, LampCount + 1>;

// Throws SubscriptError for a level outside -1..90: the table has no entry
// for the lamp that level would reach.
Table forLevel(qint16 level);

} // namespace LampColours
