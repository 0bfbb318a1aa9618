#pragma once

#include "ui/dialogs/MainWindowState.h"

// Stands in for the main window: a placement and the Date, Time and Log boxes.
class FakeMainWindowState : public MainWindowState
{
public:
    WindowState windowState() const override { return m_state; }

    WindowPlacement placement() const { return m_state.placement; }
    void setPlacement(const WindowPlacement &p) { m_state.placement = p; }
    void setChecked(bool date, bool time, bool log) { m_state.switches = {date, time, log}; }

private:
    WindowState m_state{{100, 100, 5640, 8460}, {false, true, false}};
};
