#pragma once
// Strings of the current resource module, in the ANSI code page.

#include <windows.h>

#include <string>

// The string with this id, or the empty string when the module lacks it.
std::string LoadResourceString(UINT id);

// Replaces %1 and %2 in a resource string, as the validation messages need.
std::string FormatResourceString(UINT id, const std::string& first, const std::string& second);
