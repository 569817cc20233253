#pragma once

#include <string>

// The least a BMP load and save can cost: one ReadFile of the whole file,
// one memcpy into a second block (where a loader would keep the picture) and
// one WriteFile of the same byte count.
bool CopyBmpRaw(const std::string& inPath, const std::string& outPath);
