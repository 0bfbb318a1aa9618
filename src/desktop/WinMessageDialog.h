#pragma once

#include "MessageDialog.h"

// Windows' own message box, as Windows users know it. It is modal to the
// program's windows; its message loop keeps the tick and EchoLink's events
// running while it waits.
class WinMessageDialog : public MessageDialog
{
public:
    void show(const QString &text, const QString &title = programTitle()) override;
};
