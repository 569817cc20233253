#include "tests/dialogs/WineDrive.h"

#include <windows.h>

#include <winioctl.h>

#include <cctype>
#include <cstring>
#include <vector>

namespace dialog_tests {

namespace {

// Wine's own extension of the mount manager: define or remove a drive
// letter that points at a Unix folder.
constexpr DWORD kDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

struct UnixDriveRequest {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset; // a null-terminated Unix path after the record; 0 removes the drive
    USHORT deviceOffset;
    USHORT labelOffset;
};

bool DefineUnixDrive(char letter, const char* unixPath)
{
    std::vector<char> request(sizeof(UnixDriveRequest) + (unixPath ? std::strlen(unixPath) + 1 : 0));
    auto* header = reinterpret_cast<UnixDriveRequest*>(request.data());
    header->size = static_cast<ULONG>(request.size());
    header->type = DRIVE_FIXED;
    header->letter = static_cast<WCHAR>(letter);
    if (unixPath) {
        header->mountPointOffset = sizeof(UnixDriveRequest);
        std::strcpy(request.data() + sizeof(UnixDriveRequest), unixPath);
    }
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE)
        return false;
    DWORD returned = 0;
    const BOOL done = DeviceIoControl(manager, kDefineUnixDrive, request.data(), static_cast<DWORD>(request.size()),
                                      nullptr, 0, &returned, nullptr);
    CloseHandle(manager);
    return done != FALSE;
}

// The Unix path of a Windows path, from Wine's kernel32.
std::string UnixPathOf(const std::string& folder)
{
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const auto unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixFileName)
        return std::string();
    std::wstring wide(folder.begin(), folder.end());
    char* path = unixFileName(wide.c_str());
    if (!path)
        return std::string();
    std::string result = path;
    HeapFree(GetProcessHeap(), 0, path);
    return result;
}

} // namespace

WineDrive::WineDrive(char letter, const std::string& folder)
    : m_letter(static_cast<char>(std::tolower(static_cast<unsigned char>(letter))))
{
    const std::string unixPath = UnixPathOf(folder);
    m_mapped = !unixPath.empty() && DefineUnixDrive(m_letter, unixPath.c_str());
}

WineDrive::~WineDrive()
{
    if (m_mapped)
        DefineUnixDrive(m_letter, nullptr);
}

std::string WineDrive::Root() const
{
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(m_letter)))) + ":\\";
}

} // namespace dialog_tests
