#include "Clipboard.h"

#include "VbError.h"

#include <QClipboard>
#include <QGuiApplication>

void QtClipboard::setText(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        throw VbError("clipboard not available");
    clipboard->setText(text);
}
