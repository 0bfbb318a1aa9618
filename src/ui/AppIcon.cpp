#include "AppIcon.h"

// The resources live in a static library: nothing would pull them in
// unless they are registered by name.
static void registerIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace AppIcon {

QIcon icon()
{
    static const bool registered = (registerIconResources(), true);
    Q_UNUSED(registered);
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vorlane-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace AppIcon
