#include "image/io/ByteReader.h"

#include <cstring>

ByteReader::ByteReader(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0) {}

uint8_t ByteReader::Get8()
{
    if (position_ >= size_) {
        ranOut_ = true;
        return 0;
    }
    return data_[position_++];
}

uint16_t ByteReader::Get16()
{
    const uint16_t low = Get8();
    return static_cast<uint16_t>(low | (Get8() << 8));
}

uint32_t ByteReader::Get32()
{
    const uint32_t low = Get16();
    return low | (static_cast<uint32_t>(Get16()) << 16);
}

size_t ByteReader::Read(uint8_t* dest, size_t count)
{
    const size_t available = count < Remaining() ? count : Remaining();
    if (available > 0)
        std::memcpy(dest, data_ + position_, available);
    if (available < count) {
        std::memset(dest + available, 0, count - available);
        ranOut_ = true;
    }
    position_ += available;
    return available;
}

void ByteReader::Skip(size_t count)
{
    if (count > Remaining()) {
        position_ = size_;
        ranOut_ = true;
        return;
    }
    position_ += count;
}

void ByteReader::Seek(size_t position)
{
    if (position > size_) {
        position_ = size_;
        ranOut_ = true;
        return;
    }
    position_ = position;
}
