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

// Opens `path`, in the program's ANSI code page, by its UTF-16 name: a
// runtime's fopen may convert with another code page than the program's
// (Wine's C runtime keeps the system's 936 where the program runs in
// UTF-8), and then misses any name outside it.
StdioFile OpenStdioFile(const std::string& path, const char* mode);
