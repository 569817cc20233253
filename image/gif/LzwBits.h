#pragma once

#include <cstddef>
#include <cstdint>

// A GIF image's code stream, gathered from its data sub-blocks into one run
// of bytes, so that any bit of it can be a place to start reading.
struct LzwCodes {
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    int minCodeSize = 0;

    // The format allows 2 to 8; 9 is accepted, as other decoders do.
    bool HasValidCodeSize() const { return minCodeSize >= 2 && minCodeSize <= 9; }
};

// Reads codes packed least significant bit first. Kept in a local object,
// its state stays in registers although the decoder stores every pixel
// through a byte pointer.
class LzwBits {
  public:
    LzwBits(const LzwCodes& codes, size_t startBit) : start_(codes.bytes), end_(codes.bytes + codes.size)
    {
        const size_t byte = startBit / 8;
        in_ = byte < codes.size ? start_ + byte : end_;
        const int skipped = static_cast<int>(startBit % 8);
        if (skipped != 0 && in_ != end_) {
            reservoir_ = static_cast<uint32_t>(*in_++) >> skipped;
            bits_ = 8 - skipped;
        }
    }

    // The next code of size bits, or -1 once fewer bits are left.
    int Read(int size)
    {
        if (bits_ < size) {
            if (end_ - in_ >= 2) {
                reservoir_ |= (static_cast<uint32_t>(in_[0]) | static_cast<uint32_t>(in_[1]) << 8) << bits_;
                in_ += 2;
                bits_ += 16;
            } else {
                while (bits_ < size) {
                    if (in_ == end_)
                        return -1;
                    reservoir_ |= static_cast<uint32_t>(*in_++) << bits_;
                    bits_ += 8;
                }
            }
        }
        const int code = static_cast<int>(reservoir_ & ((1u << size) - 1));
        reservoir_ >>= size;
        bits_ -= size;
        return code;
    }

    // Where the next code starts.
    size_t Position() const { return static_cast<size_t>(in_ - start_) * 8 - static_cast<size_t>(bits_); }

  private:
    const uint8_t* start_;
    const uint8_t* end_;
    const uint8_t* in_;
    uint32_t reservoir_ = 0;
    int bits_ = 0;
};

// The table's first entries, and how wide codes are after a clear code.
struct LzwAlphabet {
    explicit LzwAlphabet(int minCodeSize)
        : clearCode(1 << minCodeSize), endCode(clearCode + 1), firstFreeCode(clearCode + 2),
          firstCodeSize(minCodeSize + 1)
    {
    }
    int clearCode;
    int endCode;
    int firstFreeCode;
    int firstCodeSize;
    static constexpr int kTableSize = 4096;
    static constexpr int kMaxCodeSize = 12;
};
