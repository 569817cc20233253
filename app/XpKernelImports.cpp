// The MinGW thread library linked into the program calls GetTickCount64,
// which Windows XP's kernel32 lacks: importing it would keep the program
// from starting there at all, with a loader error before any of our code
// runs. The import's slot is defined here instead, so the linker takes it
// from this file rather than from kernel32's import library; it points at a
// function that calls the system's own where the system has one.
#include <windows.h>

namespace {

using TickCount64Function = ULONGLONG(WINAPI*)();

// XP: the 32-bit count (it wraps every 49.7 days) with the wraps counted.
// The thread library only measures waits with it, so a rare lost update
// between two threads at a wrap costs at most one early time-out.
ULONGLONG WrappedTickCount()
{
    static volatile LONG64 last = 0;
    const LONG64 seen = last;
    const DWORD now = GetTickCount();
    LONG64 wraps = seen >> 32;
    if (now < static_cast<DWORD>(seen))
        ++wraps;
    const LONG64 value = (wraps << 32) | now;
    InterlockedCompareExchange64(&last, value, seen);
    return static_cast<ULONGLONG>(value);
}

ULONGLONG WINAPI TickCount64()
{
    static const TickCount64Function system = reinterpret_cast<TickCount64Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount64")));
    return system ? system() : WrappedTickCount();
}

} // namespace

extern "C" {
extern TickCount64Function const tessalyGetTickCount64Slot __asm__("__imp__GetTickCount64@0");
TickCount64Function const tessalyGetTickCount64Slot = TickCount64;
}
