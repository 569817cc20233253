// The byte-level part of the path helpers (see Path.h): no windows.h, so the
// native tests and the fuzzers build it too.
#include "framework/Path.h"

std::string GetFileExtension(const std::string& path)
{
    const std::string::size_type dot = path.rfind('.');
    if (dot == std::string::npos)
        return std::string();
    return path.substr(dot + 1);
}

std::string::size_type FindExtension(const std::string& fileName)
{
    const std::string::size_type dot = fileName.rfind('.');
    if (dot == std::string::npos || dot + 1 == fileName.size())
        return std::string::npos;
    return dot + 1;
}

std::string WithoutExtension(const std::string& fileName)
{
    return fileName.substr(0, fileName.rfind('.'));
}
