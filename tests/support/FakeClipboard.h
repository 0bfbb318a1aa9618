#pragma once

#include "platform/Clipboard.h"
#include "platform/VbError.h"

// A clipboard whose text the test reads back; it can be made unavailable.
class FakeClipboard : public Clipboard
{
public:
    void setText(const QString &t) override
    {
        if (failing)
            throw VbError("clipboard not available");
        text = t;
        ++writes;
    }
    QString text = QStringLiteral("(untouched)");
    int writes = 0;
    bool failing = false;
};
