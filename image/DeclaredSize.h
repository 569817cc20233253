#pragma once
// The width and height a BMP, PNG, GIF, WebP, HEIF or AVIF file declares
// in its first bytes (a HEIF's in its `meta` box),
// read without decoding: what a refused picture would have measured, so
// the user can be told it is too large rather than unreadable.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

// {width, height} of `path` read as `type` (ImageFileType); none when the
// file is not of that type or too short to say.
std::optional<std::pair<int64_t, int64_t>> DeclaredPictureSize(const std::string& path, int type);
