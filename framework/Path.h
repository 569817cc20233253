#pragma once
// Paths as the whole program handles them: ANSI text in the system's code
// page. That may be a double-byte one (936), where the second byte of a
// character can equal a backslash, or UTF-8. Separators are searched for by
// whole characters (CharNextA steps over a double-byte character; a UTF-8
// character never holds a byte below 0x80 but its first, so stepping by
// bytes finds no false separator there). A dot is never the second byte of
// a double-byte character, so extensions are found by bytes, and those
// helpers (PathExtension.cpp) need no windows.h.

#include <string>

// The folder of a path without a trailing backslash: C:\Pics\a.bmp gives
// C:\Pics. A one- or two-character path keeps only a drive ("C:"); a path
// without a backslash has no folder.
std::string DirectoryOfPath(const std::string& path);

// The file-name part of a path: the text after its last backslash, slash or
// colon (the whole path when it has none).
std::string FileNamePart(const std::string& path);

// The folder with a backslash at its end, added only when it has none.
std::string WithTrailingBackslash(const std::string& folder);

// Text after the last '.' of the whole path, or "" when there is none. A dot
// in a folder name counts too: "C:\a.b\c" gives "b\c", which is no picture type.
std::string GetFileExtension(const std::string& path);

// Position just after the last '.' of fileName, or std::string::npos when the
// name has no '.' or ends with one.
std::string::size_type FindExtension(const std::string& fileName);

// A file name without its extension: "Tessaly.exe" gives "Tessaly".
std::string WithoutExtension(const std::string& fileName);

// Whether the system's file calls take `path`: MAX_PATH characters with the
// terminating zero, counted as the system does (UTF-16 units), not in bytes.
bool FitsSystemPath(const std::string& path);

// The full path of the running program, and its folder.
// Whether `path` names an existing folder.
bool FolderExists(const std::string& path);

std::string ModulePath();
std::string ProgramDirectory();

// The absolute form of a path as the system resolves it (GetFullPathName):
// "C:" alone is the current directory of drive C, "\a.bmp" a file in the
// root of the current drive. The path itself when it cannot be resolved.
std::string FullPathOf(const std::string& path);
