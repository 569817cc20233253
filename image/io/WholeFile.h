#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// A whole picture file read into memory with ReadFile, for the parsers that
// read through a ByteReader. Pictures come from shares and removable drives:
// a file that goes away while it is read must fail the read, which a page of
// a mapped view cannot do (touching it raises an in-page fault instead).
class WholeFile {
  public:
    // False when the file cannot be opened or read, or is larger than any
    // picture the library holds; an empty file opens with no bytes.
    bool Open(const std::string& path);

    const uint8_t* Data() const { return bytes_.get(); }
    size_t Size() const { return size_; }

  private:
    std::unique_ptr<uint8_t[]> bytes_;
    size_t size_ = 0;
};
