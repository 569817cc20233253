#include "ui/menu/PlatformClass.h"

#include <windows.h>

namespace {

int QueryPlatformClass()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const bool known = GetVersionExA(&version) != FALSE;
#pragma GCC diagnostic pop
    // Without a version report the program takes the plainest NT look.
    if (!known)
        return 2;
    return ClassifyPlatform(version.dwPlatformId == VER_PLATFORM_WIN32_NT, version.dwMajorVersion);
}

} // namespace

int ClassifyPlatform(bool ntFamily, unsigned majorVersion)
{
    if (ntFamily)
        return majorVersion < 4 ? 2 : 3;
    return majorVersion < 4 ? 0 : 1;
}

int PlatformClass()
{
    // Computed on the first call, which start-up makes before any window.
    static const int platformClass = QueryPlatformClass();
    return platformClass;
}

bool IsNewShell()
{
    const int platformClass = PlatformClass();
    return platformClass == 1 || platformClass == 3;
}
