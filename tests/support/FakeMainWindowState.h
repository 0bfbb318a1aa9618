#pragma once

#include "ui/MainWindowState.h"

// Stands in for the main window: a placement and the Date, Time and Log boxes.
class FakeMainWindowState : public MainWindowState
{
public:
    WindowPlacement placement() const override { return m_placement; }
    void setPlacement(const WindowPlacement &p) override
    {
        m_placement = p;
        ++m_placements;
    }
    bool isDateStampChecked() const override { return m_date; }
    bool isTimeStampChecked() const override { return m_time; }
    bool isLogChecked() const override { return m_log; }

    void setChecked(bool date, bool time, bool log)
    {
        m_date = date;
        m_time = time;
        m_log = log;
    }
    int placements() const { return m_placements; }

private:
    WindowPlacement m_placement{100, 100, 5640, 8460};
    int m_placements = 0;
    bool m_date = false;
    bool m_time = true;
    bool m_log = false;
};
