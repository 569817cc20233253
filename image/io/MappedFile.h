#pragma once

#include "image/io/FileHandle.h"

#include <cstddef>
#include <cstdint>
#include <string>

// A whole file mapped read-only into memory, for the parsers that read
// through a ByteReader. Mapping spares a copy of the file's bytes, which
// matters for large bitmaps in a 32-bit address space.
class MappedFile {
  public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // False when the file cannot be opened or is too large to map; an empty
    // file opens with no bytes.
    bool Open(const std::string& path);

    const uint8_t* Data() const { return static_cast<const uint8_t*>(view_); }
    size_t Size() const { return size_; }

  private:
    FileHandle file_;
    HANDLE mapping_ = nullptr;
    const void* view_ = nullptr;
    size_t size_ = 0;
};
