#include "image/gif/LzwDecoder.h"

#include "image/gif/GifRowWriter.h"
#include "image/io/ByteReader.h"

#include <cstring>
#include <memory>
#include <new>

int LzwDecoder::Decode(ByteReader& data, int lineWidth, GifRowWriter& rows)
{
    data_ = &data;
    const int minCodeSize = data.Get8();
    if (minCodeSize < 2 || minCodeSize > 9)
        return kBadCodeSize;
    if (lineWidth <= 0)
        return 0;
    minCodeSize_ = minCodeSize;
    clearCode_ = 1 << minCodeSize;
    endCode_ = clearCode_ + 1;
    firstFreeCode_ = clearCode_ + 2;
    ResetCodes();
    reservoir_ = 0;
    reservoirBits_ = 0;
    blockBytesLeft_ = 0;
    dataEnded_ = false;
    std::memset(prefix_, 0, sizeof prefix_);
    std::memset(suffix_, 0, sizeof suffix_);

    std::unique_ptr<uint8_t[]> line(new (std::nothrow) uint8_t[static_cast<size_t>(lineWidth) + 1]);
    if (!line)
        return kNoMemory;
    uint8_t* const lineStart = line.get();
    uint8_t* const lineEnd = lineStart + lineWidth;
    uint8_t* out = lineStart;

    int previousCode = 0;
    uint8_t firstByte = 0;
    int code = ReadCode();
    while (code >= 0 && code != endCode_) {
        int stackSize = 0;
        if (code == clearCode_) {
            ResetCodes();
            do
                code = ReadCode();
            while (code == clearCode_);
            if (code < 0 || code == endCode_)
                break;
            if (code >= nextCode_)
                code = 0;
            previousCode = code;
            firstByte = static_cast<uint8_t>(code);
            stack_[stackSize++] = firstByte;
        } else {
            int walk = code;
            if (code >= nextCode_) {
                // A string followed by its own first byte (or a code beyond
                // the table, decoded the same way).
                walk = previousCode;
                stack_[stackSize++] = firstByte;
            }
            // Prefix chains of a sane stream are shorter than the table; the
            // bound keeps a hostile one from running past the stack.
            while (walk >= firstFreeCode_ && stackSize < kTableSize) {
                stack_[stackSize++] = suffix_[walk];
                walk = prefix_[walk];
            }
            const uint8_t stringFirst = static_cast<uint8_t>(walk);
            stack_[stackSize++] = stringFirst;
            if (nextCode_ < codeLimit_) {
                suffix_[nextCode_] = stringFirst;
                prefix_[nextCode_] = static_cast<uint16_t>(previousCode);
                ++nextCode_;
                previousCode = code;
                firstByte = stringFirst;
            }
            if (nextCode_ >= codeLimit_ && codeSize_ < kMaxCodeSize) {
                codeLimit_ *= 2;
                ++codeSize_;
            }
        }
        while (stackSize > 0) {
            *out++ = stack_[--stackSize];
            if (out == lineEnd) {
                const int written = rows.WriteLine(lineStart, lineWidth);
                if (written < 0)
                    return written;
                out = lineStart;
            }
        }
        code = ReadCode();
    }
    if (out != lineStart) {
        const int written = rows.WriteLine(lineStart, static_cast<int>(out - lineStart));
        if (written < 0)
            return written;
    }
    return 0;
}

void LzwDecoder::ResetCodes()
{
    codeSize_ = minCodeSize_ + 1;
    codeLimit_ = 1 << codeSize_;
    nextCode_ = firstFreeCode_;
}

int LzwDecoder::NextDataByte()
{
    if (blockBytesLeft_ == 0) {
        // A zero length is the block terminator: the data ends there even
        // without an end code, and so does the file.
        if (dataEnded_ || data_->AtEnd())
            return -1;
        blockBytesLeft_ = data_->Get8();
        if (blockBytesLeft_ == 0) {
            dataEnded_ = true;
            return -1;
        }
    }
    if (data_->AtEnd()) {
        dataEnded_ = true;
        return -1;
    }
    --blockBytesLeft_;
    return data_->Get8();
}

int LzwDecoder::ReadCode()
{
    while (reservoirBits_ < codeSize_) {
        const int byte = NextDataByte();
        if (byte < 0)
            return -1;
        reservoir_ |= static_cast<uint32_t>(byte) << reservoirBits_;
        reservoirBits_ += 8;
    }
    const int code = static_cast<int>(reservoir_ & ((1u << codeSize_) - 1));
    reservoir_ >>= codeSize_;
    reservoirBits_ -= codeSize_;
    return code;
}
