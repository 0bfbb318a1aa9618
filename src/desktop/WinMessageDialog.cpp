#include "WinMessageDialog.h"

#include <QApplication>
#include <QWidget>

#include <windows.h>

void WinMessageDialog::show(const QString &text, const QString &title)
{
    QWidget *active = QApplication::activeWindow();
    const HWND owner = active ? reinterpret_cast<HWND>(active->winId()) : nullptr;
    // Without an owner, task-modal keeps the user from the other windows all the same.
    const UINT style = MB_OK | MB_SETFOREGROUND | (owner ? MB_APPLMODAL : MB_TASKMODAL);
    MessageBoxW(owner, reinterpret_cast<const wchar_t *>(text.utf16()),
                reinterpret_cast<const wchar_t *>(title.utf16()), style);
}
