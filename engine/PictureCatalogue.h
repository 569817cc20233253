#pragma once
// Which picture comes after the current one. Nothing is cached: the folder
// of the current picture is searched anew each time, so pictures added or
// removed in between are taken into account.

#include <string>

// The picture patterns, searched in this order. "*.jpg" does not match
// .jpeg files on purpose: the sequence never takes them.
constexpr const char* kPicturePatterns[] = {"\\*.bmp", "\\*.jpg", "\\*.png", "\\*.gif"};

// The full path of the match after `currentPath` in its folder (by pattern,
// then in the order the file system reports), wrapping to the first match;
// the first match when the current picture is not there; the empty string
// when the folder holds no picture.
std::string FindNextPicture(const std::string& currentPath);
