#pragma once

#include <QList>
#include <QString>

class QWidget;

// The file-open dialog: the user picks an existing file or types any name.
class FileOpenDialog
{
public:
    struct FileType
    {
        QString name;    // as shown, e.g. "TXTﾌｧｲﾙ(*.txt)"
        QString pattern; // e.g. "*.txt"
    };

    virtual ~FileOpenDialog() = default;

    // Shows the dialog with the first type selected and initialPath as the
    // proposed file. Returns the chosen path, with "." + defaultSuffix added
    // to a name that has no extension, or initialPath when the user cancels.
    virtual QString open(QWidget *owner, const QString &title, const QList<FileType> &types,
                         const QString &initialPath, const QString &defaultSuffix) = 0;
};

class QtFileOpenDialog : public FileOpenDialog
{
public:
    QString open(QWidget *owner, const QString &title, const QList<FileType> &types,
                 const QString &initialPath, const QString &defaultSuffix) override;

    // path + "." + suffix when the file name in path has no extension.
    static QString withDefaultSuffix(const QString &path, const QString &suffix);
};
