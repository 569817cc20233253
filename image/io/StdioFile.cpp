#include "image/io/StdioFile.h"

#include <windows.h>

namespace {

std::wstring Widen(const char* text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}

} // namespace

StdioFile OpenStdioFile(const std::string& path, const char* mode)
{
    const std::wstring widePath = Widen(path.c_str());
    if (widePath.empty())
        return StdioFile();
    return StdioFile(_wfopen(widePath.c_str(), Widen(mode).c_str()));
}
