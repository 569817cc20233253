#include "image/png/CriticalChunkCheck.h"

#include <cstring>

#include <zlib.h>

namespace {

// Files smaller than this are read before a second thread has started.
constexpr uint64_t kBytesWorthAThread = 1 << 20;
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
    if (file_.Size() < kBytesWorthAThread || !HasSecondProcessor())
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
    FileCursor file(file_);
    uint8_t header[8];
    if (file.Read(header, sizeof header) != sizeof header || std::memcmp(header, kSignature, sizeof header) != 0)
        return; // libpng refuses the file itself
    while (file.Read(header, sizeof header) == sizeof header) {
        uint32_t left = BigEndian32(header);
        const uint8_t* const type = header + 4;
        if (left > 0x7FFFFFFF)
            return; // libpng refuses such a length
        if (!IsCritical(type)) {
            file.Skip(uint64_t{left} + 4);
            continue;
        }
        uLong crc = crc32(crc32(0, nullptr, 0), type, 4);
        while (left > 0) {
            if (StopRequested()) {
                passed_ = false;
                return;
            }
            const FileCursor::Piece piece = file.Next();
            if (piece.size == 0)
                return; // the file ends early: libpng fails on it itself
            const uint32_t count = piece.size < left ? static_cast<uint32_t>(piece.size) : left;
            crc = crc32(crc, piece.bytes, count);
            // What the piece holds beyond the chunk is read again below.
            file.Unread(piece.size - count);
            left -= count;
        }
        uint8_t stored[4];
        if (file.Read(stored, sizeof stored) != sizeof stored)
            return;
        if (BigEndian32(stored) != static_cast<uint32_t>(crc)) {
            passed_ = false;
            return;
        }
        if (std::memcmp(type, "IEND", 4) == 0)
            return;
    }
}
