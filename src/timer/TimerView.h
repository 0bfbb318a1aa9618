#pragma once

#include "LampColours.h"

#include <QColor>
#include <QString>

// What the transmission timer drives on the main window. Every setter may be
// called with the value the control already has; the view should then do
// nothing (the tick calls most of them every second).
class TimerView
{
public:
    virtual ~TimerView() = default;

    // The status label Mesg.
    virtual void setMesgText(const QString &text) = 0;
    virtual void setMesgBackColour(const QColor &colour) = 0;
    virtual void setMesgForeColour(const QColor &colour) = 0;

    // The fill of the state lamp monLED.
    virtual void setMonLedColour(const QColor &colour) = 0;

    // The count txtCount, "HH:MM:SS".
    virtual void setCountText(const QString &text) = 0;

    // The fills of lamps 1..90 of Shape1, in one repaint; entry 0 is unused.
    virtual void setLampColours(const LampColours::Table &colours) = 0;

    // The day-of-week label txtDayof.
    virtual void setDayText(const QString &text) = 0;
    virtual void setDayForeColour(const QColor &colour) = 0;

    // The limit is used up: the desktop should draw the operator's eye to
    // the window unless it is already the active one.
    virtual void requestAttention() = 0;

    // The main window's caption and whether the window is minimised.
    virtual void setCaption(const QString &caption) = 0;
    virtual bool isMinimised() const = 0;
};
