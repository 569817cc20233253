#include "image/gif/LzwDecoder.h"

#include "image/gif/GatheredCodes.h"
#include "image/gif/GifRowWriter.h"
#include "image/io/ByteReader.h"

#include <cstring>

int LzwDecoder::Decode(ByteReader& data, int lineWidth, GifRowWriter& rows)
{
    GatheredCodes gathered;
    const bool haveMemory = gathered.Gather(data);
    const LzwCodes codes = gathered.Codes();
    if (!codes.HasValidCodeSize())
        return kBadCodeSize;
    if (lineWidth <= 0)
        return 0;
    if (!haveMemory)
        return kNoMemory;
    return DecodeFrom(codes, LzwPlace(), rows, nullptr, false);
}

int LzwDecoder::DecodeFrom(const LzwCodes& codes, const LzwPlace& start, GifRowWriter& rows, LzwClearCodeWatch* watch,
                           bool stopOnIrregular)
{
    if (!codes.HasValidCodeSize())
        return kBadCodeSize;
    const LzwAlphabet alphabet(codes.minCodeSize);
    firstFreeCode_ = alphabet.firstFreeCode;
    ResetTable(alphabet.clearCode);

    // The decoding state lives in locals: the compiler may then keep it in
    // registers although every pixel is stored through a byte pointer.
    LzwBits bits(codes, start.bit);
    uint8_t* const bufferStart = buffer_;
    uint8_t* out = bufferStart;
    uint64_t pixel = start.pixel;
    int codeSize = alphabet.firstCodeSize;
    int codeLimit = 1 << codeSize;
    int nextCode = firstFreeCode_;

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
    int result = 0;
    int code = bits.Read(codeSize);
    while (code >= 0 && code != alphabet.endCode) {
        if (code == alphabet.clearCode) {
            if (watch && watch->StopAt({bits.Position(), pixel + static_cast<uint64_t>(out - bufferStart)})) {
                result = kStoppedAtClearCode;
                break;
            }
            codeSize = alphabet.firstCodeSize;
            codeLimit = 1 << codeSize;
            nextCode = firstFreeCode_;
            startsTable = true;
            code = bits.Read(codeSize);
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
                if (code >= nextCode) {
                    entriesComplete = false;
                    if (stopOnIrregular) {
                        result = kIrregular;
                        break;
                    }
                }
                previousCode = code;
                firstByte = stringFirst;
            }
            if (nextCode >= codeLimit && codeSize < LzwAlphabet::kMaxCodeSize) {
                codeLimit *= 2;
                ++codeSize;
            }
        }
        if (out - bufferStart >= kPieceSize) {
            const int written = rows.Write(pixel, bufferStart, static_cast<size_t>(out - bufferStart));
            if (written < 0)
                return written;
            pixel += static_cast<uint64_t>(out - bufferStart);
            out = bufferStart;
        }
        code = bits.Read(codeSize);
    }
    if (out != bufferStart) {
        const int written = rows.Write(pixel, bufferStart, static_cast<size_t>(out - bufferStart));
        if (written < 0)
            return written;
    }
    return result;
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
