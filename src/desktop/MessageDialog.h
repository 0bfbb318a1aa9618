#pragma once

#include <QString>

class QWidget;

// A message with one OK button and no icon; returns when the user has
// answered it.
class MessageDialog
{
public:
    static QString programTitle(); // "Vorlane"

    virtual ~MessageDialog() = default;
    virtual void show(const QString &text, const QString &title = programTitle()) = 0;
};

class QtMessageDialog : public MessageDialog
{
public:
    explicit QtMessageDialog(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    void show(const QString &text, const QString &title = programTitle()) override;

private:
    QWidget *m_parent;
};
