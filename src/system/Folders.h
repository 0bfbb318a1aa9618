#pragma once

#include <QString>

// The program's fixed folders. Every folder text ends with separator().
//
// Windows: the executable's folder, "C:\Program Files\Vorlane\" and
// "C:\Program Files\Q7MXZ\EchoLink\".
// Elsewhere: the executable's folder when it is writable and not an
// installed copy's (a portable copy keeps its vln.ini and Logs beside it),
// else the per-user data folder;
// "/opt/vorlane/" as the default install folder (an administrator's shared
// vln.ini); the executable's own folder as EchoLink's, since the stand-in
// echolink-sim is installed beside vorlane.
namespace Folders {

QString separator();
QString withSeparator(const QString &folder);

QString executableFolder();
QString programFolder();
// Whether the executable in exeFolder was installed, which puts its
// launcher in <prefix>/share/applications beside <prefix>/bin.
bool isInstalledCopy(const QString &exeFolder);
QString defaultInstallFolder();
QString defaultEchoLinkFolder();

// The folder for the program's sockets and locks, always absolute: Qt gives
// nothing for a TMPDIR that names a missing folder, and a relative path would
// land wherever the program happens to run. No trailing separator.
QString tempFolder();

} // namespace Folders
