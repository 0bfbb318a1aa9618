#pragma once

#include "settings/SettingsWindow.h"
#include "platform/VbError.h"

// Stands in for the main window: a placement and three check boxes.
class FakeSettingsWindow : public SettingsWindow
{
public:
    WindowPlacement placement() const override { return place; }
    void setPlacement(const WindowPlacement &p) override
    {
        place = p;
        ++placements;
    }
    bool chkDateChecked() const override { return date; }
    bool chkTimeChecked() const override { return time; }
    bool chkLogChecked() const override { return log; }

    WindowPlacement place{100, 100, 5640, 8460};
    int placements = 0;
    bool date = false;
    bool time = true;
    bool log = false;
};
