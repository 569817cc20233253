#include "tests/support/RemoteMemory.h"

#include <vector>

namespace testing_support {

RemoteMemory::RemoteMemory(HWND window, std::size_t size) : m_size(size)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!m_process)
        return;
    m_address = static_cast<BYTE*>(VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    if (m_address) {
        const std::vector<BYTE> zeros(size);
        Write(zeros.data(), size);
    }
}

RemoteMemory::~RemoteMemory()
{
    if (m_address)
        VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
    if (m_process)
        CloseHandle(m_process);
}

bool RemoteMemory::Write(const void* data, std::size_t size, std::size_t offset) const
{
    return m_address && offset + size <= m_size &&
           WriteProcessMemory(m_process, m_address + offset, data, size, nullptr);
}

bool RemoteMemory::Read(void* data, std::size_t size, std::size_t offset) const
{
    return m_address && offset + size <= m_size &&
           ReadProcessMemory(m_process, m_address + offset, data, size, nullptr);
}

} // namespace testing_support
