#pragma once
// Whether this process runs elevated: with the full rights of an
// administrator where Windows splits them off (Vista and later). Such a
// copy sits above the user's ordinary processes, which must still find it
// and hand it their verbs.

#include <windows.h>

#include <string>

// False on systems without elevation, and when the token cannot be asked.
bool RunsElevated();

// The string form of this process's user SID ("S-1-5-21-..."), or "".
std::string ProcessUserSid();
