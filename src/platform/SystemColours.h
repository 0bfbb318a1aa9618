#pragma once

#include <QColor>

// Colours the platform gives for a purpose rather than a look.
namespace SystemColours {

// The scroll bars' grey, which the chat history takes while busy: Windows'
// own COLOR_SCROLLBAR; elsewhere a grey that stands out from white.
QColor scrollBar();

} // namespace SystemColours
