#include "framework/Path.h"

#include <windows.h>

#include <vector>

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

std::string DirectoryOfPath(const std::string& path)
{
    if (path.size() < 3) {
        if (path.size() == 2 && IsAsciiLetter(path[0]) && path[1] == ':')
            return path;
        return std::string();
    }
    // Search backwards by characters, not bytes: in a double-byte code
    // page the second byte of a character can look like a backslash.
    const char* text = path.c_str();
    const char* lastSlash = nullptr;
    for (const char* p = text; *p; p = CharNextA(p)) {
        if (*p == '\\')
            lastSlash = p;
    }
    return lastSlash ? std::string(text, lastSlash) : std::string();
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
