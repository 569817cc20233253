#pragma once
// A block of memory in the process that owns a window. The messages of
// common controls and shell dialogs carry pointers that are read in the
// owner's process, so a test of another program puts their data there.

#include <windows.h>

#include <cstddef>

namespace testing_support {

class RemoteMemory {
  public:
    // `size` bytes in the process of `window`, zeroed.
    RemoteMemory(HWND window, std::size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool Valid() const { return m_address != nullptr; }
    // The block's address in the other process, for a message parameter.
    LPARAM Address(std::size_t offset = 0) const { return reinterpret_cast<LPARAM>(m_address + offset); }
    bool Write(const void* data, std::size_t size, std::size_t offset = 0) const;
    bool Read(void* data, std::size_t size, std::size_t offset = 0) const;

  private:
    HANDLE m_process = nullptr;
    BYTE* m_address = nullptr;
    std::size_t m_size = 0;
};

} // namespace testing_support
