#pragma once

#include <cstdint>

class ByteReader;
class GifRowWriter;

// The GIF variant of LZW: variable-width codes packed least significant bit
// first into data sub-blocks. All state lives in fixed 4096-entry tables and
// an explicit output stack, so no input can make it recurse, allocate more
// than one line, or index outside its arrays.
class LzwDecoder {
public:
    static constexpr int kNoMemory = -10;
    static constexpr int kBadCodeSize = -20;

    // Reads the minimum code size and the data sub-blocks from data and hands
    // lines of lineWidth pixels to rows. Ends at the end code, at the block
    // terminator or at the end of the input. Returns 0, kNoMemory,
    // kBadCodeSize, or the negative result of the row writer.
    int Decode(ByteReader& data, int lineWidth, GifRowWriter& rows);

private:
    static constexpr int kTableSize = 4096;
    static constexpr int kMaxCodeSize = 12;

    void ResetCodes();
    int ReadCode();  // -1 when the data ended
    int NextDataByte();  // -1 when the data ended

    ByteReader* data_ = nullptr;
    int minCodeSize_ = 0;
    int codeSize_ = 0;
    int clearCode_ = 0;
    int endCode_ = 0;
    int firstFreeCode_ = 0;
    int nextCode_ = 0;
    int codeLimit_ = 0;
    uint32_t reservoir_ = 0;
    int reservoirBits_ = 0;
    int blockBytesLeft_ = 0;
    bool dataEnded_ = false;

    uint16_t prefix_[kTableSize];
    uint8_t suffix_[kTableSize];
    // One string is at most a table's worth of bytes plus the repeated first byte.
    uint8_t stack_[kTableSize + 2];
};
