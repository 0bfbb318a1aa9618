#include "Clipboard.h"

#include "compat/RunTimeError.h"

#include <QClipboard>
#include <QGuiApplication>

void QtClipboard::setText(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        throw RunTimeError("clipboard not available");
    clipboard->setText(text);
}
