#pragma once

#include <QString>

// The file-system queries the program makes.
namespace FileSystem {

bool folderExists(const QString &path);
// Creates one folder level; throws FileError on failure.
void createFolder(const QString &path);
bool fileExists(const QString &path);

} // namespace FileSystem
