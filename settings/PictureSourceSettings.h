#pragma once
// Where the pictures come from: `Folders` (the chosen folders, one text of
// paths joined by "|") and `IncludeSubfolders` ("1" or "0"). Each has its
// own writer, called only when the user changes it, so a key that never
// had them is saved exactly as before.

#include "settings/RegistryKey.h"
#include "settings/Settings.h"

#include <string>
#include <vector>

// Reads both; a missing value, or one of another type, means what the
// program did before it had them: the current picture's folder alone.
void ReadPictureSourceSettings(const CRegistryKey& key, Settings& settings);

void WriteIncludeSubfolders(CRegistryKey& key, const Settings& settings);
void WriteFolders(CRegistryKey& key, const Settings& settings);
