#include "engine/PictureList.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr char kSeparator = '|';

bool IsPlausiblePath(const std::string& path)
{
    return !path.empty() && path.size() < MAX_PATH &&
           std::none_of(path.begin(), path.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

} // namespace

std::string JoinPictureList(const std::vector<std::string>& paths)
{
    std::string text;
    for (const std::string& path : paths) {
        if (!text.empty())
            text += kSeparator;
        text += path;
    }
    return text;
}

std::vector<std::string> ParsePictureList(const std::string& text, std::size_t maxCount)
{
    if (text.empty() || text.size() > kLongestPictureListText)
        return {};
    std::vector<std::string> paths(1);
    // By characters: in code page 936 a '|' byte can be the second half of
    // a Chinese character.
    for (const char* c = text.c_str(); *c;) {
        const char* next = CharNextA(c);
        if (*c != kSeparator) {
            paths.back().append(c, next - c);
            c = next;
            continue;
        }
        c = next;
        if (!IsPlausiblePath(paths.back()) || paths.size() == maxCount)
            return {};
        paths.emplace_back();
    }
    if (!IsPlausiblePath(paths.back()))
        return {};
    return paths;
}

bool PictureFileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
