#include "WindowIcon.h"

#include <QIcon>
#include <QPixmap>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace WindowIcon {

// A window without an icon of its own would get the program's; a clear one
// shows nothing. Windows draws no icon at all for a dialog frame that has
// none set, so there the icon is taken off the native window.
void clear(QWidget *window)
{
    QPixmap clearPixmap(16, 16);
    clearPixmap.fill(Qt::transparent);
    window->setWindowIcon(QIcon(clearPixmap));
#ifdef Q_OS_WIN
    const auto hwnd = reinterpret_cast<HWND>(window->winId());
    SendMessageW(hwnd, WM_SETICON, ICON_SMALL, 0);
    SendMessageW(hwnd, WM_SETICON, ICON_BIG, 0);
#endif
}

} // namespace WindowIcon
