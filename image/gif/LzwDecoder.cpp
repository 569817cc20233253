#include "image/gif/LzwDecoder.h"

#include "image/gif/GifRowWriter.h"
#include "image/io/ByteReader.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

// Strings are written whole after the current line position and the
// finished lines handed on afterwards, so the line buffer has room behind
// the line for the longest string: 4096 bytes (capped so in ExtendString),
// one more when a code repeats its first byte, and the scratch bytes of the
// last eight-byte copy.
constexpr size_t kLineMargin = 4096 + 16;

} // namespace

int LzwDecoder::Decode(ByteReader& data, int lineWidth, GifRowWriter& rows)
{
    data_ = &data;
    const int minCodeSize = data.Get8();
    if (minCodeSize < 2 || minCodeSize > 9)
        return kBadCodeSize;
    if (lineWidth <= 0)
        return 0;
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    firstFreeCode_ = clearCode + 2;
    dataEnded_ = false;
    ResetTable(clearCode);

    std::unique_ptr<uint8_t[]> line(new (std::nothrow) uint8_t[static_cast<size_t>(lineWidth) + kLineMargin]);
    if (!line)
        return kNoMemory;
    uint8_t* const lineStart = line.get();
    uint8_t* const lineEnd = lineStart + lineWidth;
    uint8_t* out = lineStart;

    // The decoding state lives in locals: the compiler may then keep it in
    // registers although every pixel is stored through a byte pointer.
    const uint8_t* in = input_;
    const uint8_t* inEnd = input_;
    uint32_t reservoir = 0;
    int reservoirBits = 0;
    int codeSize = minCodeSize + 1;
    int codeLimit = 1 << codeSize;
    int nextCode = firstFreeCode_;

    // -1 once fewer than codeSize bits are left.
    auto readCode = [&]() -> int {
        if (reservoirBits < codeSize) {
            if (inEnd - in >= 2) {
                reservoir |= (static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8) << reservoirBits;
                in += 2;
                reservoirBits += 16;
            } else {
                do {
                    if (in == inEnd) {
                        const int count = FillInput();
                        if (count == 0)
                            return -1;
                        in = input_;
                        inEnd = input_ + count;
                    }
                    reservoir |= static_cast<uint32_t>(*in++) << reservoirBits;
                    reservoirBits += 8;
                } while (reservoirBits < codeSize);
            }
        }
        const int code = static_cast<int>(reservoir & ((1u << codeSize) - 1));
        reservoir >>= codeSize;
        reservoirBits -= codeSize;
        return code;
    };

    int previousCode = 0;
    uint8_t firstByte = 0;
    // True while every entry from firstFreeCode_ to nextCode - 1 and the
    // previous code describe strings made since the last clear, so that the
    // copying form is exact. A code beyond the table makes the previous code
    // one without an entry; from then until the next clear only the prefix
    // chain gives the format's answer.
    bool entriesComplete = true;
    // The start of the data counts as a clear: encoders that begin with a
    // data code expect its string to make no entry, as after a clear.
    bool startsTable = true;
    int code = readCode();
    while (code >= 0 && code != endCode) {
        if (code == clearCode) {
            codeSize = minCodeSize + 1;
            codeLimit = 1 << codeSize;
            nextCode = firstFreeCode_;
            startsTable = true;
            code = readCode();
            continue;
        }
        if (startsTable) {
            startsTable = false;
            if (code >= nextCode)
                code = 0;
            previousCode = code;
            firstByte = static_cast<uint8_t>(code);
            *out++ = firstByte;
            entriesComplete = true;
        } else {
            int length;
            uint8_t stringFirst;
            if (!entriesComplete) {
                length = WalkString(code, nextCode, previousCode, firstByte, out);
                stringFirst = out[0];
            } else if (code < nextCode) {
                length = CopyString(code, out);
                stringFirst = entries_[code].first;
            } else {
                // A string followed by its own first byte (or a code beyond
                // the table, decoded the same way).
                length = CopyString(previousCode, out);
                out[length++] = firstByte;
                stringFirst = firstByte;
            }
            out += length;
            if (nextCode < codeLimit) {
                Entry& entry = entries_[nextCode];
                entry.prefix = static_cast<uint16_t>(previousCode);
                entry.suffix = stringFirst;
                if (entriesComplete)
                    ExtendString(nextCode, previousCode, stringFirst);
                ++nextCode;
                if (code >= nextCode)
                    entriesComplete = false;
                previousCode = code;
                firstByte = stringFirst;
            }
            if (nextCode >= codeLimit && codeSize < kMaxCodeSize) {
                codeLimit *= 2;
                ++codeSize;
            }
        }
        if (out >= lineEnd) {
            const uint8_t* full = lineStart;
            do {
                const int written = rows.WriteLine(full, lineWidth);
                if (written < 0)
                    return written;
                full += lineWidth;
            } while (out - full >= lineWidth);
            const size_t rest = static_cast<size_t>(out - full);
            std::memmove(lineStart, full, rest);
            out = lineStart + rest;
        }
        code = readCode();
    }
    if (out != lineStart) {
        const int written = rows.WriteLine(lineStart, static_cast<int>(out - lineStart));
        if (written < 0)
            return written;
    }
    return 0;
}

void LzwDecoder::ResetTable(int clearCode)
{
    std::memset(entries_, 0, sizeof entries_);
    // Codes not made yet read as one zero byte, never as an empty string.
    for (int code = 0; code < kTableSize; ++code)
        entries_[code].length = 1;
    for (int code = 0; code < clearCode; ++code) {
        Entry& entry = entries_[code];
        entry.tail[0] = entry.first = static_cast<uint8_t>(code);
    }
}

int LzwDecoder::CopyString(int code, uint8_t* out) const
{
    const Entry& entry = entries_[code];
    const int length = entry.length;
    // The tail goes to the last chunk of the string, the jumps fill the
    // whole chunks before it, back to front.
    uint8_t* chunk = out + ((length - 1) & ~(kChunk - 1));
    std::memcpy(chunk, entry.tail, kChunk);
    int jump = entry.jump;
    while (chunk > out) {
        chunk -= kChunk;
        std::memcpy(chunk, entries_[jump].tail, kChunk);
        jump = entries_[jump].jump;
    }
    return length;
}

void LzwDecoder::ExtendString(int code, int prefix, uint8_t last)
{
    Entry& entry = entries_[code];
    const Entry& before = entries_[prefix];
    const int tailBytes = before.length % kChunk;
    if (tailBytes != 0) {
        std::memcpy(entry.tail, before.tail, kChunk);
        entry.tail[tailBytes] = last;
        entry.jump = before.jump;
    } else {
        entry.tail[0] = last;
        entry.jump = static_cast<uint16_t>(prefix);
    }
    // A string made since the last clear is at most 4091 bytes long, so the
    // cap never changes a decoded picture; it keeps every copy inside the
    // line buffer's margin whatever the table holds.
    entry.length = static_cast<uint16_t>(before.length < kTableSize ? before.length + 1 : kTableSize);
    entry.first = before.first;
}

int LzwDecoder::WalkString(int code, int nextCode, int previousCode, uint8_t firstByte, uint8_t* out)
{
    int stackSize = 0;
    int walk = code;
    if (code >= nextCode) {
        walk = previousCode;
        stack_[stackSize++] = firstByte;
    }
    // A malformed stream can chain entries into a loop; the bound keeps the
    // walk from running past the stack.
    while (walk >= firstFreeCode_ && stackSize < kTableSize) {
        stack_[stackSize++] = entries_[walk].suffix;
        walk = entries_[walk].prefix;
    }
    stack_[stackSize++] = static_cast<uint8_t>(walk);
    for (int i = 0; i < stackSize; ++i)
        out[i] = stack_[stackSize - 1 - i];
    return stackSize;
}

int LzwDecoder::FillInput()
{
    int count = 0;
    // A zero length is the block terminator: the data ends there even
    // without an end code, and so does the file, also inside a sub-block.
    while (!dataEnded_ && count <= kInputSize - 255) {
        if (data_->AtEnd()) {
            dataEnded_ = true;
            break;
        }
        const size_t length = data_->Get8();
        if (length == 0) {
            dataEnded_ = true;
            break;
        }
        const size_t available = length < data_->Remaining() ? length : data_->Remaining();
        data_->Read(input_ + count, available);
        count += static_cast<int>(available);
        if (available < length)
            dataEnded_ = true;
    }
    return count;
}
