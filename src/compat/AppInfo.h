#pragma once

// Kept on purpose (see README.md): the version as the caption and the about
// box show it.

#include <QString>

// The running program's title and version.
namespace AppInfo {

QString title();          // "Vorlane"
int major();
int minor();
int revision();
QString versionText();    // "0.1.14": decimal, no leading zeros
QString captionPrefix();  // "VLN Ver.0.1.14 ", the main window's caption before date and time

} // namespace AppInfo
