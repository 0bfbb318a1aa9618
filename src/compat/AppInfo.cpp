#include "AppInfo.h"

#include "Texts.h"

namespace AppInfo {

QString title() { return Texts::programTitle; }
int major() { return VORLANE_VERSION_MAJOR; }
int minor() { return VORLANE_VERSION_MINOR; }
int revision() { return VORLANE_VERSION_PATCH; }

QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(major()).arg(minor()).arg(revision());
}

QString captionPrefix()
{
    return Texts::captionVersion + versionText() + QLatin1Char(' ');
}

} // namespace AppInfo
