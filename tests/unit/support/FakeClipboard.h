#pragma once

#include "compat/RunTimeError.h"
#include "desktop/Clipboard.h"

// A clipboard whose text the test reads back; it can be made unavailable.
class FakeClipboard : public Clipboard
{
public:
    void setText(const QString &text) override
    {
        if (m_failing)
            throw RunTimeError("clipboard not available");
        m_text = text;
        ++m_writes;
    }
    QString text() const { return m_text; }
    int writes() const { return m_writes; }
    void setFailing(bool failing) { m_failing = failing; }

private:
    QString m_text = QStringLiteral("(untouched)");
    int m_writes = 0;
    bool m_failing = false;
};
