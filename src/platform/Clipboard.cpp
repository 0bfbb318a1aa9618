#include "Clipboard.h"

#include "HandlerError.h"

#include <QClipboard>
#include <QGuiApplication>

void QtClipboard::setText(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        throw HandlerError("clipboard not available");
    clipboard->setText(text);
}
