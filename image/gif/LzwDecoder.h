#pragma once

#include <cstdint>

class ByteReader;
class GifRowWriter;

// The GIF variant of LZW: variable-width codes packed least significant bit
// first into data sub-blocks. All state lives in fixed 4096-entry tables, an
// explicit output stack and one line buffer, so no input can make it recurse,
// allocate more than one line (plus a fixed margin), or index outside its
// arrays.
//
// Every code is kept twice. The format's own form, a shorter code plus one
// byte, decodes any stream, however malformed, by walking the prefix chain
// one byte at a time. A stream whose codes only ever refer to entries already
// made (every real encoder's) is decoded from a second form that copies eight
// bytes per step: the string's last one to eight bytes, and a jump to the
// code that holds everything before them.
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
    static constexpr int kChunk = 8;
    // Data bytes gathered from the sub-blocks in one go.
    static constexpr int kInputSize = 4096;

    // 16 bytes, so that a code's whole description shares one cache line.
    struct Entry {
        uint8_t tail[kChunk]; // the last ((length - 1) % 8) + 1 bytes of the string
        uint16_t length;      // of the string, 1 to 4096
        uint16_t jump;        // the code whose string is everything before the tail
        uint16_t prefix;      // the format's form: prefix code ...
        uint8_t suffix;       // ... followed by this byte
        uint8_t first;        // the string's first byte
    };

    void ResetTable(int clearCode);
    // Refills input_ from the sub-blocks; returns the number of bytes, 0 once
    // the data has ended.
    int FillInput();
    // Writes the string of a code known to be in the table to out, with up
    // to 7 bytes of scratch after it; returns its length.
    int CopyString(int code, uint8_t* out) const;
    // The format's own decoding of any code, by walking the prefix chain.
    int WalkString(int code, int nextCode, int previousCode, uint8_t firstByte, uint8_t* out);
    // Makes code the string of prefix followed by last in the copying form.
    void ExtendString(int code, int prefix, uint8_t last);

    ByteReader* data_ = nullptr;
    bool dataEnded_ = false;
    int firstFreeCode_ = 0;

    Entry entries_[kTableSize];
    // One walked string is at most a table's worth of bytes plus the
    // repeated first byte.
    uint8_t stack_[kTableSize + 2];
    uint8_t input_[kInputSize];
};
