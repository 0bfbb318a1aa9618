#include "SystemColours.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace SystemColours {

#ifdef Q_OS_WIN

namespace {

QColor systemColour(int index)
{
    const COLORREF colour = GetSysColor(index);
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

} // namespace

// Some themes (Wine's own among them) give scroll bars white; the button
// shadow's grey is then the one that shows.
QColor scrollBar()
{
    const QColor scrollBar = systemColour(COLOR_SCROLLBAR);
    return scrollBar.lightness() > 230 ? systemColour(COLOR_BTNSHADOW) : scrollBar;
}

#else

QColor scrollBar()
{
    return QColor(200, 200, 200);
}

#endif

} // namespace SystemColours
