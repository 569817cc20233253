#pragma once
// What another start of the program can ask of the running copy
// ("Tessaly.exe /next"), and how the request travels: a WM_COPYDATA whose
// data is the verb's name.

#include <windows.h>

#include <optional>
#include <string>

enum class AtHandVerb { Next, Previous, Pause, Resume, Show, Hide, Exit };

// The verb a name stands for, in any letter case ("next", "NEXT"); none for
// any other text.
std::optional<AtHandVerb> VerbFromName(const std::string& name);
const char* VerbName(AtHandVerb verb);

// Marks a WM_COPYDATA as one of ours.
constexpr ULONG_PTR kAtHandVerbCopyData = 0x54534C59; // "TSLY"

// The verb a WM_COPYDATA carries (its name's letters, no terminating
// zero); none when it is not one of ours.
std::optional<AtHandVerb> VerbFromCopyData(const COPYDATASTRUCT* data);
