#include "AppIcon.h"

// The resources live in a static library: nothing would pull them in
// unless they are registered by name.
static void registerIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace AppIcon {

// Built once, and only in the sizes a window uses: every size given is
// decoded and sent to the window system at start-up, and the large ones come
// from the installed icon theme.
QIcon icon()
{
    static const QIcon icon = [] {
        registerIconResources();
        QIcon built;
        for (int size : {16, 32, 48, 64})
            built.addFile(QStringLiteral(":/icons/vorlane-%1.png").arg(size), QSize(size, size));
        return built;
    }();
    return icon;
}

} // namespace AppIcon
