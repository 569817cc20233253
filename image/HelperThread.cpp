#include "image/HelperThread.h"

#include <windows.h>

#include <exception>

bool HasSecondProcessor()
{
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system))
        return false;
    return (process & (process - 1)) != 0;
}

bool StartHelperThread(std::thread& helper, std::function<void()> work) noexcept
{
    try {
        const int priority = GetThreadPriority(GetCurrentThread());
        helper = std::thread([priority, work = std::move(work)] {
            SetThreadPriority(GetCurrentThread(), priority);
            work();
        });
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
