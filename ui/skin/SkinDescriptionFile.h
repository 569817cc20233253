#pragma once
// The skin description file "Quorrel.ini" in the skin folder: read at every
// start, written only after a rebuild from the default skin.

#include "ui/skin/SkinDescription.h"

#include <string>

// Reading falls back to this folder when no folder is named.
constexpr char kDefaultSkinFolderName[] = "5D93A1E4_7B20_4C8F_A3D6_91E04F7B2C58";
constexpr char kSkinDescriptionFileName[] = "Quorrel.ini";

// Sets the skin folder (<programDirectory>\<folderName>, also on failure)
// and reads its description file into `skin`. Returns 1 when the whole file
// was read and held nothing the writer would not have written; 0 otherwise,
// leaving everything but the skin folder as it was.
int LoadSkinDescription(SkinDescription& skin, const std::string& programDirectory, const std::string& folderName);

// Writes the description file into <programDirectory>\<folderName>; a
// folder that does not exist or cannot be written is left alone silently.
void SaveSkinDescription(const SkinDescription& skin, const std::string& programDirectory,
                         const std::string& folderName);
