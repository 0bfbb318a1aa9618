#pragma once

#include <QColor>

// Colours the platform gives for a purpose rather than a look.
namespace SystemColours {

// The scroll bars' grey, which the chat history takes while busy: Windows'
// own COLOR_SCROLLBAR (its button shadow where a theme makes scroll bars
// white); elsewhere a grey that stands out from white.
QColor scrollBar();

} // namespace SystemColours
