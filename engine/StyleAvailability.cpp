#include "engine/StyleAvailability.h"

#include "settings/Settings.h"

#include <windows.h>

namespace {

bool IsAtLeast(const SystemForStyles& system, unsigned major, unsigned minor)
{
    return system.majorVersion > major || (system.majorVersion == major && system.minorVersion >= minor);
}

} // namespace

SystemForStyles CurrentSystemForStyles()
{
    SystemForStyles system;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (GetVersionExA(&version)) {
#pragma GCC diagnostic pop
        system.majorVersion = version.dwMajorVersion;
        system.minorVersion = version.dwMinorVersion;
    }
    system.monitors = GetSystemMetrics(SM_CMONITORS);
    return system;
}

bool CanShowStyle(int style, const SystemForStyles& system)
{
    switch (style) {
    case ShowCentre:
    case ShowTile:
    case ShowStretch:
        return true;
    case ShowFit:
    case ShowFill:
        return IsAtLeast(system, 6, 1);
    case ShowSpan:
        return IsAtLeast(system, 6, 2) && system.monitors > 1;
    }
    return false;
}

int ShowableStyle(int style, const SystemForStyles& system)
{
    return CanShowStyle(style, system) ? style : ShowStretch;
}
