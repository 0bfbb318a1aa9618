#pragma once

// Gives the program's own painted widgets their place for assistive
// technology: the lamp bar is a progress bar, the state lamp a graphic,
// the top row the status bar, the etched rules separators, and the
// screen-reader notice a notification. Safe to call more than once.
namespace AccessibleWidgets {

void install();

} // namespace AccessibleWidgets
