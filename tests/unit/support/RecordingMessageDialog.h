#pragma once

#include "desktop/MessageDialog.h"

#include <QStringList>

// Records the message boxes a handler showed instead of showing them.
class RecordingMessageDialog : public MessageDialog
{
public:
    void show(const QString &text, const QString &title = programTitle()) override
    {
        m_texts << text;
        m_titles << title;
    }
    const QStringList &texts() const { return m_texts; }
    const QStringList &titles() const { return m_titles; }

private:
    QStringList m_texts;
    QStringList m_titles;
};
