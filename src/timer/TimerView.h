#pragma once

#include <QColor>
#include <QString>

// The state the round lamp left of the count shows.
enum class LampState { Idle, Transmitting, Receiving, Waiting };

// What the transmission timer drives on the main window. Every setter may be
// called with the value the control already has; the view should then do
// nothing (the tick calls most of them every second).
class TimerView
{
public:
    virtual ~TimerView() = default;

    // The status word ("On Air", "Receive", "Wait", "Over !!").
    virtual void setStatusText(const QString &text) = 0;
    virtual void setStatusBackground(const QColor &colour) = 0;
    virtual void setStatusColour(const QColor &colour) = 0;

    // The round state lamp left of the count.
    virtual void setStateLamp(LampState state) = 0;

    // The count, "HH:MM:SS".
    virtual void setCountText(const QString &text) = 0;

    // Lights lamps 1 to level of the 90-lamp bar, in one repaint. A level
    // outside -1..90 throws SubscriptError: the bar has no such lamp.
    virtual void setLampLevel(qint16 level) = 0;

    virtual void setDayText(const QString &text) = 0;
    virtual void setDayColour(const QColor &colour) = 0;

    // The limit is used up: the desktop should draw the operator's eye to
    // the window unless it is already the active one.
    virtual void requestAttention() = 0;

    // Says text to a screen reader, if one runs, without moving the focus.
    virtual void announce(const QString &text) = 0;

    // The main window's caption and whether the window is minimised.
    virtual void setCaption(const QString &caption) = 0;
    virtual bool isMinimised() const = 0;
};
