#pragma once

#include "desktop/SystemColours.h"

#include <QColor>
#include <QPalette>

// What the busy control drives on the main window: the Busy check box and
// the background of the chat history.
class BusyView
{
public:
    virtual ~BusyView() = default;

    virtual bool isBusyChecked() const = 0;
    // Sets the box and nothing else; BusyControl decides whether the click
    // handler runs.
    virtual void setBusyChecked(bool checked) = 0;

    // The history's background: greyed while busy, the text-box background
    // otherwise.
    virtual void setChatBackgroundBusy(bool busy) = 0;

    // Says text to a screen reader, if one runs, without moving the focus.
    virtual void announce(const QString &text) = 0;

    // The scroll bars' grey while busy, so the state shows at a glance; the
    // palette's text-box background otherwise.
    static QColor chatBackground(bool busy, const QPalette &palette)
    {
        return busy ? SystemColours::scrollBar() : palette.color(QPalette::Base);
    }
};
