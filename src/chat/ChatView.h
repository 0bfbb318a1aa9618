#pragma once

#include "settings/Settings.h"

#include <QString>

// What the chat panel needs of the main window's controls. All texts are
// CR LF texts: the view converts to and from whatever its widgets hold.
class ChatView
{
public:
    virtual ~ChatView() = default;

    // The history. The panel keeps the full text itself and hands the view
    // only what changed.
    virtual void appendHistory(const QString &chunk) = 0;
    virtual void setHistory(const QString &text) = 0;
    virtual void moveHistoryCaretToEnd() = 0;
    virtual QString selectedHistoryText() const = 0;

    // The input line, the message being typed.
    virtual QString inputText() const = 0;
    virtual void clearInput() = 0;
    virtual void focusInput() = 0;

    // The live states of the Date, Time and Log check boxes.
    virtual ChatSwitches switches() const = 0;

    // The connected station's callsign.
    virtual void setConnectedCall(const QString &callsign) = 0;
};
