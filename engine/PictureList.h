#pragma once
// A list of pictures kept as one text value of the settings key: full paths
// joined by '|', a character no Windows file name can hold.

#include <cstddef>
#include <string>
#include <vector>

// Longer than any list the program writes (250 paths of MAX_PATH): a value
// this long was not written by it.
constexpr std::size_t kLongestPictureListText = 65536;

std::string JoinPictureList(const std::vector<std::string>& paths);

// The paths of a list value. A text that cannot be such a list (longer than
// kLongestPictureListText, more than `maxCount` paths, an empty path or one
// longer than MAX_PATH, a control character) gives no paths at all: a
// damaged value starts clean rather than half-read.
std::vector<std::string> ParsePictureList(const std::string& text, std::size_t maxCount);

// Whether `path` names a file (not a folder) that is there now.
bool PictureFileExists(const std::string& path);
