#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// Owner of a Win32 file handle. CreateFile takes paths up to the system's
// limit (the old OpenFile stopped at 128 characters).
class FileHandle {
  public:
    FileHandle() = default;
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle();
    FileHandle(FileHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = INVALID_HANDLE_VALUE; }
    FileHandle& operator=(FileHandle&&) = delete;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    static FileHandle OpenForReading(const std::string& path);
    // Creates the file, or truncates an existing one.
    static FileHandle CreateForWriting(const std::string& path);

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    // Bytes written; fewer than count on failure.
    size_t Write(const void* buffer, size_t count);

  private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};
