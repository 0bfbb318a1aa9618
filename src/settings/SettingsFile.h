#pragma once

#include "Settings.h"

#include <QStringList>

// The format of vln.ini: sixteen "Key=value" lines read by position. The key
// before "=" is written but never checked.
namespace SettingsFile {

constexpr int lineCount = 16;

struct Parsed
{
    WindowPlacement placement; // corrected where it was out of bounds
    int invalid = 0;           // values out of range, corrections included
};

// Reads lines (at least lineCount of them) into settings, storing each value
// as it goes, so a failure part-way leaves the earlier ones stored. A line
// that cannot be read at all (a number that does not convert or fit, a
// Position without three commas, a schedule digit other than 0 to 2, a first
// line without "=") throws a RunTimeError. Values out of range are stored
// and counted, not thrown.
Parsed parse(const QStringList &lines, Settings &settings);

// The sixteen lines for settings and the window placement.
QStringList format(const Settings &settings, const WindowPlacement &placement);

// The sixteen lines of the default file.
QStringList defaults(const QString &echoLinkFolder, const QString &programFolder);

} // namespace SettingsFile
