#pragma once
// Tips of the notification icon live in a 64-byte field with its zero.
// A tip that does not fit is cut at a character boundary of its code page,
// so a Chinese tip (two bytes a character in 936, three in UTF-8) never
// ends on half a character.

#include <windows.h>

#include <cstddef>
#include <string>

// How many bytes of `text` fit into `capacity` bytes without splitting a
// character of `codePage` (CP_ACP: the system's, which may be UTF-8).
size_t WholeCharacterLength(const std::string& text, size_t capacity, UINT codePage);
