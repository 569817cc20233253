#include "common/Process.h"

#include <windows.h>

#include <psapi.h>

#include <vector>

namespace {

bool StartProcess(const std::string& commandLine, PROCESS_INFORMATION& process)
{
    // CreateProcess may write into the command line, so it gets a copy.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process) != 0;
}

int EndProcess(PROCESS_INFORMATION& process)
{
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

} // namespace

int RunProcess(const std::string& commandLine)
{
    PROCESS_INFORMATION process = {};
    if (!StartProcess(commandLine, process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    return EndProcess(process);
}

int RunProcessWatchingMemory(const std::string& commandLine, size_t& peakBytes)
{
    peakBytes = 0;
    PROCESS_INFORMATION process = {};
    if (!StartProcess(commandLine, process))
        return -1;
    do {
        PROCESS_MEMORY_COUNTERS counters = {};
        if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters)) {
            if (counters.PeakWorkingSetSize > peakBytes)
                peakBytes = counters.PeakWorkingSetSize;
            if (counters.PeakPagefileUsage > peakBytes)
                peakBytes = counters.PeakPagefileUsage;
        }
    } while (WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT);
    return EndProcess(process);
}
