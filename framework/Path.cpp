#include "framework/Path.h"

#include <windows.h>

#include <vector>

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The last character of `text` that `isSeparator` accepts, walking by
// characters; null when there is none.
template <typename Predicate> const char* LastCharacterWhere(const char* text, Predicate isSeparator)
{
    const char* last = nullptr;
    for (const char* p = text; *p; p = CharNextA(p)) {
        if (isSeparator(*p))
            last = p;
    }
    return last;
}

} // namespace

std::string DirectoryOfPath(const std::string& path)
{
    if (path.size() < 3) {
        if (path.size() == 2 && IsAsciiLetter(path[0]) && path[1] == ':')
            return path;
        return std::string();
    }
    const char* text = path.c_str();
    const char* lastSlash = LastCharacterWhere(text, [](char c) { return c == '\\'; });
    return lastSlash ? std::string(text, lastSlash) : std::string();
}

std::string FileNamePart(const std::string& path)
{
    const char* separator = LastCharacterWhere(path.c_str(), [](char c) { return c == '\\' || c == '/' || c == ':'; });
    return separator ? std::string(separator + 1) : path;
}

std::string WithTrailingBackslash(const std::string& folder)
{
    const char* text = folder.c_str();
    const char* end = text + folder.size();
    if (!folder.empty() && *CharPrevA(text, end) == '\\')
        return folder;
    return folder + "\\";
}

bool FitsSystemPath(const std::string& path)
{
    return MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0) <= MAX_PATH;
}

std::string ModulePath()
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramDirectory()
{
    return DirectoryOfPath(ModulePath());
}

std::string FullPathOf(const std::string& path)
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return path;
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(length);
    }
}

bool FolderExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
