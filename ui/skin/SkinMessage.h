#pragma once

#include <windows.h>

#include <string>

// A message box of the skin, titled with the program's title (string 102).
int ShowSkinMessage(HWND owner, const std::string& text, UINT type);
