#pragma once

#include <cstdio>
#include <memory>
#include <string>

// A C runtime file stream closed on scope exit; the PNG and JPEG libraries
// read and write through these.
struct StdioFileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using StdioFile = std::unique_ptr<FILE, StdioFileCloser>;

inline StdioFile OpenStdioFile(const std::string& path, const char* mode)
{
    return StdioFile(std::fopen(path.c_str(), mode));
}
