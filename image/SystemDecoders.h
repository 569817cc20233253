#pragma once
// What the system's Imaging Component can decode (image/wic). Without
// windows.h, so the picture-type rule built natively links a stand-in that
// knows no decoder.

#include <string>

// Whether a decoder of the system declares `extension` (lowercase, without
// the dot). Asked of the system once per run; false where the component is
// absent (Windows XP without it).
bool SystemDecodesExtension(const std::string& extension);
