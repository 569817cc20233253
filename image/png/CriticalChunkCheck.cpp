#include "image/png/CriticalChunkCheck.h"

#include <cstring>

#include <zlib.h>

namespace {

// Files smaller than this are read before a second thread has started.
constexpr size_t kBytesWorthAThread = 1 << 20;
// The stop is looked for between pieces of this size.
constexpr size_t kPieceSize = 256 * 1024;
constexpr uint8_t kSignature[8] = {137, 'P', 'N', 'G', '\r', '\n', 26, '\n'};

uint32_t BigEndian32(const uint8_t* bytes)
{
    return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
           static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
}

bool IsCritical(const uint8_t* type)
{
    return (type[0] & 0x20) == 0;
}

} // namespace

bool CriticalChunkCheck::Start()
{
    if (size_ < kBytesWorthAThread || !HasSecondProcessor())
        return false;
    return helper_.Start([this] { Check(); });
}

bool CriticalChunkCheck::Passed()
{
    helper_.Join();
    return passed_;
}

void CriticalChunkCheck::Check()
{
    if (size_ < sizeof kSignature || std::memcmp(bytes_, kSignature, sizeof kSignature) != 0)
        return; // libpng refuses the file itself
    size_t at = sizeof kSignature;
    while (size_ - at >= 8) {
        size_t left = BigEndian32(bytes_ + at);
        const uint8_t* const type = bytes_ + at + 4;
        at += 8;
        if (left > 0x7FFFFFFF || left > size_ - at)
            return; // libpng refuses such a length, or meets the file's end
        if (!IsCritical(type)) {
            at += left;
            at += size_ - at < 4 ? size_ - at : 4;
            continue;
        }
        uLong crc = crc32(crc32(0, nullptr, 0), type, 4);
        while (left > 0) {
            if (StopRequested()) {
                passed_ = false;
                return;
            }
            const size_t count = left < kPieceSize ? left : kPieceSize;
            crc = crc32(crc, bytes_ + at, static_cast<uInt>(count));
            at += count;
            left -= count;
        }
        if (size_ - at < 4)
            return;
        if (BigEndian32(bytes_ + at) != static_cast<uint32_t>(crc)) {
            passed_ = false;
            return;
        }
        at += 4;
        if (std::memcmp(type, "IEND", 4) == 0)
            return;
    }
}
