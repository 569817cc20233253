#pragma once

#include <cstddef>
#include <cstdint>

// The one byte source every picture parser reads through. It never reads
// past the end of its bytes: a read beyond the end yields zeros and marks the
// reader as exhausted, so a truncated file decodes as if it were padded with
// zeros and the parser can ask afterwards whether that happened.
class ByteReader {
  public:
    ByteReader(const uint8_t* data, size_t size);

    uint8_t Get8();
    uint16_t Get16(); // little-endian
    uint32_t Get32(); // little-endian

    // Copies up to count bytes into dest, zero-fills the rest of dest and
    // returns how many bytes the input really held.
    size_t Read(uint8_t* dest, size_t count);

    void Skip(size_t count);
    // Moves to an absolute position; a position past the end exhausts the reader.
    void Seek(size_t position);

    size_t Position() const { return position_; }
    size_t Size() const { return size_; }
    size_t Remaining() const { return size_ - position_; }
    bool AtEnd() const { return position_ >= size_; }
    bool RanOut() const { return ranOut_; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
    bool ranOut_ = false;
};
