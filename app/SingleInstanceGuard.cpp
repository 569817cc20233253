#include "app/SingleInstanceGuard.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr char kMappingName[] = "OrvaneTessaly";
constexpr DWORD kMappingSize = 128;
// "Orvane Tessaly程序正在运行!" in code page 936, as the program has always
// stored it. Nobody reads it: the mapping's existence is the guard.
constexpr char kGuardText[] = "Orvane Tessaly\xB3\xCC\xD0\xF2\xD5\xFD\xD4\xDA\xD4\xCB\xD0\xD0!";

} // namespace

InstanceClaim ClaimSingleInstance()
{
    // Deliberately never closed: the name must live as long as this copy.
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kMappingSize, kMappingName);
    if (!mapping)
        return InstanceClaim::Failed;
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        return InstanceClaim::AlreadyRunning;

    if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) {
        std::memcpy(view, kGuardText, sizeof kGuardText);
        UnmapViewOfFile(view);
    }
    return InstanceClaim::First;
}
