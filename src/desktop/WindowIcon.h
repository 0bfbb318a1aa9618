#pragma once

class QWidget;

namespace WindowIcon {

// Shows the window with no icon of its own rather than the program's.
void clear(QWidget *window);

} // namespace WindowIcon
