#pragma once

#include <QString>

// The program's fixed folders, each ending in a separator. system() gives the
// real ones (see Folders); tests hand in their own.
struct ProgramFolders
{
    QString program;        // where the executable (or its data) lives
    QString defaultInstall; // its vln.ini is read instead of the program folder's when it exists
    QString defaultEchoLink;

    static ProgramFolders system();
};
