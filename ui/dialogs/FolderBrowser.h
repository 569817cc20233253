#pragma once
// The shell's folder browser: the whole namespace, file-system folders only.

#include <windows.h>

#include <string>

// The folder the user chose, or the empty string when they cancelled or
// chose something without a file-system path. A path longer than MAX_PATH
// comes whole too, so that the caller can say it is too long.
// The browser opens at `startFolder`.
std::string BrowseForFolder(HWND owner, const std::string& title, const std::string& startFolder);
