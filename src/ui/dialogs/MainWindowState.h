#pragma once

#include "settings/Settings.h"

// What the dialogs need of the main window: where it is, for placing
// themselves beside it, and what a save keeps of it (its placement and its
// Date, Time and Log boxes).
class MainWindowState
{
public:
    virtual ~MainWindowState() = default;
    virtual WindowState windowState() const = 0;
};
