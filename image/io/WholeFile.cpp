#include "image/io/WholeFile.h"

#include "image/DibSize.h"
#include "image/io/FileHandle.h"

#include <new>

namespace {

// The largest pixel array the library holds, with room to spare for the
// headers and colour table in front of it.
constexpr uint64_t kMaxFileBytes = kMaxDibBytes + 64 * 1024;

// One ReadFile asks for at most this much: very large requests fail on some
// network redirectors.
constexpr DWORD kReadChunk = 4 * 1024 * 1024;

} // namespace

bool WholeFile::Open(const std::string& path)
{
    bytes_.reset();
    size_ = 0;
    const FileHandle file = FileHandle::OpenForReading(path);
    if (!file.IsOpen())
        return false;
    LARGE_INTEGER reported = {};
    if (!GetFileSizeEx(file.Get(), &reported) || reported.QuadPart < 0 ||
        static_cast<uint64_t>(reported.QuadPart) > kMaxFileBytes)
        return false;
    const size_t expected = static_cast<size_t>(reported.QuadPart);
    // One byte more than the file holds, so an empty file still has a buffer.
    bytes_.reset(new (std::nothrow) uint8_t[expected + 1]);
    if (!bytes_)
        return false;

    // A file that shrinks meanwhile ends early and holds what was read; one
    // that grows is read to the size it had.
    size_t done = 0;
    while (done < expected) {
        const size_t left = expected - done;
        const DWORD ask = left < kReadChunk ? static_cast<DWORD>(left) : kReadChunk;
        DWORD got = 0;
        if (!ReadFile(file.Get(), bytes_.get() + done, ask, &got, nullptr)) {
            bytes_.reset();
            return false;
        }
        if (got == 0)
            break;
        done += got;
    }
    size_ = done;
    return true;
}
