#pragma once

#include <QIcon>

// The program's icon (window, application and about box), from the PNGs
// rendered from icons/vorlane.svg and compiled into the program.
namespace AppIcon {

QIcon icon();

} // namespace AppIcon
