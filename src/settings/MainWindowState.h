#pragma once

// What the settings reader and writers need of the main window: its
// placement in twips (outer size) and the live states of its Date, Time and
// Log check boxes.
struct WindowPlacement
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

class SettingsWindow
{
public:
    virtual ~SettingsWindow() = default;

    virtual WindowPlacement placement() const = 0;
    virtual void setPlacement(const WindowPlacement &placement) = 0;

    virtual bool chkDateChecked() const = 0;
    virtual bool chkTimeChecked() const = 0;
    virtual bool chkLogChecked() const = 0;
};
