#pragma once

#include <QString>

// Replaces the clipboard's content with one plain text.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual void setText(const QString &text) = 0;
};

class QtClipboard : public Clipboard
{
public:
    void setText(const QString &text) override;
};
