#include "image/png/CriticalChunkCheck.h"

#include "image/HelperThread.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include <zlib.h>

namespace {

// Files smaller than this are read before a second thread has started.
constexpr LONGLONG kBytesWorthAThread = 1 << 20;
constexpr DWORD kPieceSize = 256 * 1024;
constexpr uint8_t kSignature[8] = {137, 'P', 'N', 'G', '\r', '\n', 26, '\n'};

bool ReadExactly(HANDLE file, uint8_t* buffer, DWORD count)
{
    DWORD got = 0;
    return ReadFile(file, buffer, count, &got, nullptr) && got == count;
}

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

CriticalChunkCheck::~CriticalChunkCheck()
{
    stop_ = true;
    if (helper_.joinable())
        helper_.join();
}

// With one processor the file is not opened a second time at all.
CriticalChunkCheck::CriticalChunkCheck(const std::string& path)
    : file_(HasSecondProcessor() ? FileHandle::OpenForReading(path) : FileHandle())
{
}

bool CriticalChunkCheck::Start()
{
    LARGE_INTEGER size = {};
    if (!file_.IsOpen() || !GetFileSizeEx(file_.Get(), &size) || size.QuadPart < kBytesWorthAThread)
        return false;
    return StartHelperThread(helper_, [this] { Check(); });
}

bool CriticalChunkCheck::Passed()
{
    if (helper_.joinable())
        helper_.join();
    return passed_;
}

void CriticalChunkCheck::Check()
{
    const std::unique_ptr<uint8_t[]> piece(new (std::nothrow) uint8_t[kPieceSize]);
    uint8_t header[8];
    if (!piece || !ReadExactly(file_.Get(), header, sizeof header) ||
        std::memcmp(header, kSignature, sizeof header) != 0)
        return; // libpng refuses the file itself
    while (!stop_) {
        if (!ReadExactly(file_.Get(), header, sizeof header))
            return;
        uint32_t left = BigEndian32(header);
        const uint8_t* const type = header + 4;
        if (left > 0x7FFFFFFF)
            return; // libpng refuses such a length
        if (!IsCritical(type)) {
            LARGE_INTEGER skip = {};
            skip.QuadPart = static_cast<LONGLONG>(left) + 4;
            if (!SetFilePointerEx(file_.Get(), skip, nullptr, FILE_CURRENT))
                return;
            continue;
        }
        uLong crc = crc32(crc32(0, nullptr, 0), type, 4);
        while (left > 0 && !stop_) {
            const DWORD count = left < kPieceSize ? left : kPieceSize;
            if (!ReadExactly(file_.Get(), piece.get(), count))
                return;
            crc = crc32(crc, piece.get(), count);
            left -= count;
        }
        uint8_t stored[4];
        if (stop_ || !ReadExactly(file_.Get(), stored, sizeof stored))
            return;
        if (BigEndian32(stored) != static_cast<uint32_t>(crc)) {
            passed_ = false;
            return;
        }
        if (std::memcmp(type, "IEND", 4) == 0)
            return;
    }
}
