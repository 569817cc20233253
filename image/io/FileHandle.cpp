#include "image/io/FileHandle.h"

FileHandle::~FileHandle()
{
    if (IsOpen())
        CloseHandle(handle_);
}

FileHandle FileHandle::OpenForReading(const std::string& path)
{
    // A reader never holds a writer out (a copy or a download still going
    // on): a file that changes meanwhile reads as damaged, and is passed over.
    return FileHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

FileHandle FileHandle::CreateForWriting(const std::string& path)
{
    return FileHandle(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

size_t FileHandle::Write(const void* buffer, size_t count)
{
    DWORD written = 0;
    if (!WriteFile(handle_, buffer, static_cast<DWORD>(count), &written, nullptr))
        return 0;
    return written;
}
