#include "FileOpenDialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

// The shown name stays as given; Qt takes the pattern from the trailing
// parentheses and hides them.
QString nameFilter(const FileOpenDialog::FileType &type)
{
    return type.name + QStringLiteral(" (") + type.pattern + QLatin1Char(')');
}

} // namespace

QString QtFileOpenDialog::open(QWidget *owner, const QString &title, const QList<FileType> &types,
                               const QString &initialPath, const QString &defaultSuffix)
{
    QFileDialog dialog(owner, title);
    // Opening only: a typed name of a missing file is returned as it is,
    // never questioned as an overwrite.
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Windows users get Windows' own dialog; elsewhere Qt's is the one that
    // behaves the same on every desktop.
#ifdef Q_OS_WIN
    dialog.setOptions(QFileDialog::HideNameFilterDetails);
#else
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
#endif
    QStringList filters;
    for (const FileType &type : types)
        filters << nameFilter(type);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.first());
    const QFileInfo initial(initialPath);
    dialog.setDirectory(initial.absolutePath());
    dialog.selectFile(initial.fileName());

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return initialPath;
    return withDefaultSuffix(dialog.selectedFiles().first(), defaultSuffix);
}

QString QtFileOpenDialog::withDefaultSuffix(const QString &path, const QString &suffix)
{
    if (suffix.isEmpty() || QFileInfo(path).fileName().contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + suffix;
}
