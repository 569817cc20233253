#pragma once
// Path helpers shared by the whole program.

#include <string>

// The folder of a path without a trailing backslash: C:\Pics\a.bmp gives
// C:\Pics. A one- or two-character path keeps only a drive ("C:"); a path
// without a backslash has no folder.
std::string DirectoryOfPath(const std::string& path);

// The full path of the running program, and its folder.
std::string ModulePath();
std::string ProgramDirectory();

// The absolute form of a path as the system resolves it (GetFullPathName):
// "C:" alone is the current directory of drive C, "\a.bmp" a file in the
// root of the current drive. The path itself when it cannot be resolved.
std::string FullPathOf(const std::string& path);
