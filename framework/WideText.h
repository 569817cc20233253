#pragma once
// Text between one of the ANSI code pages (the program's own by default:
// UTF-8 where the manifest's setting holds, the system's elsewhere) and the
// UTF-16 that the wide-only calls of the system take.

#include <windows.h>

#include <string>

std::wstring Widen(const std::string& text, UINT codePage = CP_ACP);
std::string Narrow(const std::wstring& text, UINT codePage = CP_ACP);
