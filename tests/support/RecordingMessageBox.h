#pragma once

#include "platform/MessageBox.h"

#include <QStringList>

// Records the message boxes a handler showed instead of showing them.
class RecordingMessageBox : public MessageBox
{
public:
    void show(const QString &text, const QString &title = programTitle()) override
    {
        texts << text;
        titles << title;
    }
    QStringList texts;
    QStringList titles;
};
