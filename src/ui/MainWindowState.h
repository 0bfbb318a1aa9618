#pragma once

// The main window's placement: outer left, top, width and height in twips.
struct WindowPlacement
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// What the settings and the dialogs need of the main window: its placement,
// and the live states of its Date, Time and Log check boxes.
class MainWindowState
{
public:
    virtual ~MainWindowState() = default;

    virtual WindowPlacement placement() const = 0;
    virtual void setPlacement(const WindowPlacement &placement) = 0;

    virtual bool isDateStampChecked() const = 0;
    virtual bool isTimeStampChecked() const = 0;
    virtual bool isLogChecked() const = 0;
};
