#pragma once

#include <QColor>
#include <QPalette>

// What the busy control drives on the main window: the check box chkBusy and
// the background of the chat history lChat.
class BusyView
{
public:
    virtual ~BusyView() = default;

    virtual bool isChkBusyChecked() const = 0;
    // Sets the box and nothing else; BusyControl decides whether the click
    // handler runs.
    virtual void setChkBusyChecked(bool checked) = 0;

    // lChat's background: greyed while busy, the text-box background otherwise.
    virtual void setChatBackgroundBusy(bool busy) = 0;

    // The two system colours in Qt's terms: Button for the greyed scroll-bar
    // colour, Base for the normal text-box background.
    static QColor chatBackground(bool busy, const QPalette &palette)
    {
        return palette.color(busy ? QPalette::Button : QPalette::Base);
    }
};
