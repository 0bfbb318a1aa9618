#pragma once

#include <QString>

// The program's fixed folders. Every folder text ends with separator().
//
// The program folder is the executable's when files can be created there
// and it is not an installed copy's (a portable copy keeps its vln.ini and
// Logs beside it), else the per-user folder: "%LOCALAPPDATA%\Vorlane\" on
// Windows, "~/.local/share/vorlane/" elsewhere.
// Windows: "C:\Program Files\Vorlane\" as the default install folder
// (the installer's, whose vln.ini seeds a user's first start) and
// "C:\Program Files\Q7MXZ\EchoLink\" as EchoLink's.
// Elsewhere: "/opt/vorlane/" as the default install folder (an
// administrator's shared vln.ini); the executable's own folder as
// EchoLink's, since the stand-in echolink-sim is installed beside vorlane.
namespace Folders {

QString separator();
QString withSeparator(const QString &folder);

QString executableFolder();
QString programFolder();
// Where an installed copy, or one that cannot write beside itself, keeps
// its files.
QString perUserFolder();
// Whether a file can be made in folder, tried by making one.
bool canCreateFilesIn(const QString &folder);
// Whether the executable in exeFolder was installed: on Windows it is the
// default install folder; elsewhere the launcher lies in
// <prefix>/share/applications beside <prefix>/bin.
bool isInstalledCopy(const QString &exeFolder);
QString defaultInstallFolder();
QString defaultEchoLinkFolder();

// The folder for the program's sockets and locks, always absolute: Qt gives
// nothing for a TMPDIR that names a missing folder, and a relative path would
// land wherever the program happens to run. No trailing separator.
QString tempFolder();

} // namespace Folders
