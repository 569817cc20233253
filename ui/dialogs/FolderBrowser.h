#pragma once
// The shell's folder browser: the whole namespace, file-system folders only.

#include <windows.h>

#include <string>

// The folder the user chose (at most MAX_PATH characters), or the empty
// string when they cancelled or chose something without a file-system path.
// The browser opens at `startFolder`.
std::string BrowseForFolder(HWND owner, const std::string& title, const std::string& startFolder);
