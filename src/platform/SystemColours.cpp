#include "SystemColours.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace SystemColours {

QColor scrollBar()
{
#ifdef Q_OS_WIN
    const COLORREF colour = GetSysColor(COLOR_SCROLLBAR);
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
#else
    return QColor(200, 200, 200);
#endif
}

} // namespace SystemColours
