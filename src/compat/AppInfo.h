#pragma once

#include <QString>

// What the platform keeps about the running program.
namespace AppInfo {

QString title();          // "Vorlane"
int major();
int minor();
int revision();
QString versionText();    // "0.1.14"
QString captionPrefix();  // "VLN Ver.0.1.14 ", the main window's caption before date and time

} // namespace AppInfo
