#include "image/io/MappedFile.h"

namespace {

// No picture the library accepts needs a file this large, and a 32-bit
// process could hardly map it anyway.
constexpr uint64_t kMaxFileBytes = 1024ull * 1024 * 1024;

} // namespace

MappedFile::~MappedFile()
{
    if (view_)
        UnmapViewOfFile(view_);
    if (mapping_)
        CloseHandle(mapping_);
}

bool MappedFile::Open(const std::string& path)
{
    FileHandle file = FileHandle::OpenForReading(path);
    if (!file.IsOpen())
        return false;
    DWORD high = 0;
    const DWORD low = GetFileSize(file.Get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return false;
    const uint64_t size = (static_cast<uint64_t>(high) << 32) | low;
    if (size > kMaxFileBytes)
        return false;
    if (size == 0)
        return true; // nothing to map; the parsers see an empty input
    mapping_ = CreateFileMappingA(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping_)
        return false;
    view_ = MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0);
    if (!view_)
        return false;
    size_ = static_cast<size_t>(size);
    return true;
}
