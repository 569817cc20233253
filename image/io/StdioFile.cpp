#include "image/io/StdioFile.h"

#include "framework/WideText.h"

StdioFile OpenStdioFile(const std::string& path, const char* mode)
{
    const std::wstring widePath = Widen(path);
    if (widePath.empty())
        return StdioFile();
    return StdioFile(_wfopen(widePath.c_str(), Widen(mode).c_str()));
}
