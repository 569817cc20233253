#pragma once

#include "image/gif/LzwBits.h"

#include <cstdint>

class ByteReader;
class GifRowWriter;

// Where in a code stream decoding starts, and where its pixels go: the
// stream's start, or the bit just after a clear code, where the table is
// empty.
struct LzwPlace {
    size_t bit = 0;
    uint64_t pixel = 0;
};

// Told of every clear code a decoding meets, it may end the decoding there.
class LzwClearCodeWatch {
  public:
    virtual ~LzwClearCodeWatch() = default;
    // True to stop at the clear code that ends just before place.
    virtual bool StopAt(const LzwPlace& place) = 0;
};

// The GIF variant of LZW: variable-width codes packed least significant bit
// first into data sub-blocks. All state lives in fixed 4096-entry tables, an
// explicit output stack and one output buffer, so no input can make it
// recurse, allocate, or index outside its arrays.
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
    // DecodeFrom's other endings.
    static constexpr int kStoppedAtClearCode = 1;
    static constexpr int kIrregular = 2;

    // Reads the minimum code size and the data sub-blocks from data and hands
    // the pixels, lines of lineWidth, to rows. Ends at the end code, at the
    // block terminator or at the end of the input. Returns 0, kNoMemory,
    // kBadCodeSize, or the negative result of the row writer.
    int Decode(ByteReader& data, int lineWidth, GifRowWriter& rows);

    // Decodes codes from start.bit, putting pixels from start.pixel on. Ends as Decode does, or
    // with kStoppedAtClearCode where watch (if any) says so, or with
    // kIrregular once a code lies beyond the table when stopOnIrregular is
    // set: from there on, the format's answer would depend on what the table
    // held before start.
    int DecodeFrom(const LzwCodes& codes, const LzwPlace& start, GifRowWriter& rows, LzwClearCodeWatch* watch,
                   bool stopOnIrregular);

  private:
    static constexpr int kTableSize = LzwAlphabet::kTableSize;
    static constexpr int kChunk = 8;
    // Decoded pixels are handed on in pieces of about this size; behind it
    // the buffer has room for the longest string: 4096 bytes (capped so in
    // ExtendString), one more when a code repeats its first byte, and the
    // scratch bytes of the last eight-byte copy.
    static constexpr int kPieceSize = 16 * 1024;
    static constexpr int kBufferSize = kPieceSize + 4096 + 16;

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
    // Writes the string of a code known to be in the table to out, with up
    // to 7 bytes of scratch after it; returns its length.
    int CopyString(int code, uint8_t* out) const;
    // The format's own decoding of any code, by walking the prefix chain.
    int WalkString(int code, int nextCode, int previousCode, uint8_t firstByte, uint8_t* out);
    // Makes code the string of prefix followed by last in the copying form.
    void ExtendString(int code, int prefix, uint8_t last);

    int firstFreeCode_ = 0;

    Entry entries_[kTableSize];
    // One walked string is at most a table's worth of bytes plus the
    // repeated first byte.
    uint8_t stack_[kTableSize + 2];
    uint8_t buffer_[kBufferSize];
};
