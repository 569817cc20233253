// soak: Tessaly.exe over a long run, unattended. It changes the wallpaper
// CHANGES times (10,000 by default) through the command line while the
// schedule changes it too (the shortest interval), over a folder of 40
// pictures of the four kinds, a few of them damaged. Every tenth "next" is a
// start of "Tessaly.exe /next"; the others are the message such a start
// sends the running copy (a Wine process start takes half a second, which
// would stretch the soak over hours). Every 10 s it samples the program:
// private bytes, handle, GDI and USER objects, CPU time. Then the schedule
// stops ("never") and the program is left alone for IDLE_SECONDS (600),
// whose CPU time is measured.
//
//   soak WORK [CHANGES] [IDLE_SECONDS]
//
// Tessaly.exe, its language modules and skins lie beside soak.exe. The
// samples go to WORK\samples.csv; the figures and the verdicts to the output,
// and the exit code is 1 when a target is missed.
#include "engine/AtHandVerb.h"
#include "engine/Wallpaper.h"
#include "resources/resource.h"
#include "settings/Settings.h"
#include "tests/engine/TestPictures.h"
#include "tests/support/Registry.h"
#include "tests/support/Tessaly.h"
#include "tests/support/TessalyState.h"
#include "tests/support/WallpaperAnnouncements.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

constexpr DWORD kSamplePeriod = 10000; // ms
constexpr double kGrowthLimit = 1024 * 1024;
constexpr double kIdleCpuLimit = 0.1; // s

struct Sample {
    double seconds = 0;
    std::size_t changes = 0;
    double privateBytes = 0; // what Windows reports, when it does
    double linuxPrivate = 0; // the Unix process's anonymous memory, under Wine
    DWORD handles = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    // Under Wine, which counts none of the three above for another process:
    // the Unix process's open files and threads.
    DWORD unixFiles = 0;
    DWORD unixThreads = 0;
    double cpuSeconds = 0;
};

// The whole of a small file; empty when it cannot be read.
std::string ReadWhole(const std::string& path)
{
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);
    return text;
}

// Under Wine the program is also a Unix process, whose /proc entry (seen
// through drive Z:) tells its anonymous memory and CPU time even where
// Wine's own counters for another process stay at zero. Found by its
// command line and its prefix; empty elsewhere.
std::string UnixProcessFolder()
{
    char prefix[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH))
        return std::string();
    const std::string wanted = std::string("WINEPREFIX=") + prefix + std::string(1, '\0');
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::string();
    std::string folder;
    do {
        if (found.cFileName[0] < '1' || found.cFileName[0] > '9')
            continue;
        const std::string candidate = std::string("Z:\\proc\\") + found.cFileName;
        const std::string command = ReadWhole(candidate + "\\cmdline");
        if (command.find("Tessaly.exe") == std::string::npos || command.find("/next") != std::string::npos)
            continue;
        if (ReadWhole(candidate + "\\environ").find(wanted) != std::string::npos)
            folder = candidate;
    } while (folder.empty() && FindNextFileA(search, &found));
    FindClose(search);
    return folder;
}

// "RssAnon:   1234 kB" of /proc/PID/status, in bytes.
double UnixAnonymousBytes(const std::string& folder)
{
    const std::string status = ReadWhole(folder + "\\status");
    const std::size_t at = status.find("RssAnon:");
    return at == std::string::npos ? 0 : std::atof(status.c_str() + at + 8) * 1024;
}

DWORD CountEntries(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    DWORD count = 0;
    do
        count += found.cFileName[0] != '.';
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

// utime + stime of /proc/PID/stat, in seconds (100 ticks a second).
double UnixCpuSeconds(const std::string& folder)
{
    const std::string stat = ReadWhole(folder + "\\stat");
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return 0;
    // After the name: state is field 3; utime and stime are fields 14 and 15.
    const char* field = stat.c_str() + close + 2;
    double ticks = 0;
    for (int index = 3; index <= 15 && *field; ++index) {
        if (index >= 14)
            ticks += std::atof(field);
        field = std::strchr(field, ' ');
        if (!field)
            break;
        ++field;
    }
    return ticks / 100;
}

double Seconds(const FILETIME& time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 1e7;
}

Sample Measure(HANDLE process, const std::string& unixFolder, DWORD start, std::size_t changes)
{
    Sample sample;
    sample.seconds = (GetTickCount() - start) / 1000.0;
    sample.changes = changes;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        sample.privateBytes = static_cast<double>(memory.PrivateUsage);
    GetProcessHandleCount(process, &sample.handles);
    sample.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    sample.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    FILETIME created, ended, kernel, user;
    if (GetProcessTimes(process, &created, &ended, &kernel, &user))
        sample.cpuSeconds = Seconds(kernel) + Seconds(user);
    if (!unixFolder.empty()) {
        sample.linuxPrivate = UnixAnonymousBytes(unixFolder);
        sample.unixFiles = CountEntries(unixFolder + "\\fd");
        sample.unixThreads = CountEntries(unixFolder + "\\task");
        // Wine counts no CPU time for another process: the Unix one does.
        if (sample.cpuSeconds == 0)
            sample.cpuSeconds = UnixCpuSeconds(unixFolder);
    }
    return sample;
}

// 40 pictures, ten of each kind, of sizes that differ; every seventh one
// cut short (a copy broken off) and one of garbage that only looks like a JPEG.
std::string WritePictures(const std::string& folder)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    const char* kinds[] = {"bmp", "jpg", "png", "gif"};
    for (int index = 0; index < 40; ++index) {
        char name[32];
        std::snprintf(name, sizeof name, "\\p%02d.%s", index, kinds[index % 4]);
        const int kept = index % 7 == 6 ? 40 : 100;
        WritePicture(folder + name, 160 + 13 * index, 120 + 7 * index, kept);
    }
    HANDLE garbage = CreateFileA((folder + "\\p07.jpg").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char noise[] = "\xFF\xD8\xFF\xE0 this is no picture at all";
    DWORD written = 0;
    WriteFile(garbage, noise, sizeof noise, &written, nullptr);
    CloseHandle(garbage);
    return folder + "\\p00.bmp";
}

void Print(std::FILE* out, const Sample& s)
{
    std::fprintf(out, "%.0f,%u,%.0f,%.0f,%lu,%lu,%lu,%lu,%lu,%.2f\n", s.seconds, static_cast<unsigned>(s.changes),
                 s.privateBytes, s.linuxPrivate, s.handles, s.gdiObjects, s.userObjects, s.unixFiles, s.unixThreads,
                 s.cpuSeconds);
    std::fflush(out);
}

// The memory figure this system gives: Windows' private bytes, or under
// Wine (which reports none for another process) the Unix process's.
double Private(const Sample& s)
{
    return s.privateBytes > 0 ? s.privateBytes : s.linuxPrivate;
}

const char* Verdict(bool met)
{
    return met ? "PASS" : "MISS";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: soak WORK [CHANGES] [IDLE_SECONDS]\n");
        return 2;
    }
    const std::string work = argv[1];
    const std::size_t target = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 10000;
    const DWORD idleSeconds = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 600;
    CreateDirectoryA(work.c_str(), nullptr);
    const std::string first = WritePictures(work + "\\pictures");

    std::map<std::string, std::string> settings = UsualSettings("3", first);
    settings["ChangeTime"] = "0.0167"; // the shortest interval: about a second
    PresetSettings(settings);
    PresetDesktop(first);

    std::FILE* csv = std::fopen((work + "\\samples.csv").c_str(), "w");
    if (!csv)
        return 2;
    std::fprintf(
        csv,
        "seconds,changes,private_bytes,unix_anonymous_bytes,handles,gdi,user,unix_files,unix_threads,cpu_seconds\n");

    WallpaperAnnouncements watch([] { return std::string(); });
    Tessaly program("min");
    if (!program.Window()) {
        std::fprintf(stderr, "soak: Tessaly.exe showed no window\n");
        return 2;
    }
    const HANDLE process = program.Process().Handle();
    const std::string unixFolder = UnixProcessFolder();
    const DWORD start = GetTickCount();
    DWORD nextSample = start;
    std::vector<Sample> samples;
    std::optional<Sample> atThousand;
    std::size_t stalls = 0;
    std::size_t nexts = 0;

    while (watch.Shown().size() < target) {
        const std::size_t before = watch.Shown().size();
        if (++nexts % 10 == 0) {
            Program next(ProgramPath(), "/next");
            next.WaitForExit(kProgramDeadline);
        } else {
            COPYDATASTRUCT copy = {kAtHandVerbCopyData, 4, const_cast<char*>("next")};
            SendMessageTimeoutA(program.Window(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_NORMAL,
                                kProgramDeadline, nullptr);
        }
        if (!watch.WaitFor(before + 1, kProgramDeadline))
            ++stalls;
        if (!atThousand && watch.Shown().size() >= 1000)
            atThousand = Measure(process, unixFolder, start, watch.Shown().size());
        if (GetTickCount() - nextSample < 0x80000000u) {
            samples.push_back(Measure(process, unixFolder, start, watch.Shown().size()));
            Print(csv, samples.back());
            nextSample += kSamplePeriod;
        }
        if (stalls > 20) {
            std::fprintf(stderr, "soak: the program stopped changing the wallpaper\n");
            return 1;
        }
    }
    const Sample atEnd = Measure(process, unixFolder, start, watch.Shown().size());
    Print(csv, atEnd);

    // Nothing due any more: the schedule stops, and the program is left alone.
    program.Click(IDC_CHANGE_NEVER);
    Sleep(2000);
    const Sample idleStart = Measure(process, unixFolder, start, watch.Shown().size());
    for (DWORD slept = 0; slept < idleSeconds * 1000; slept += kSamplePeriod) {
        Sleep(kSamplePeriod);
        Print(csv, Measure(process, unixFolder, start, watch.Shown().size()));
    }
    const Sample idleEnd = Measure(process, unixFolder, start, watch.Shown().size());
    Print(csv, idleEnd);
    std::fclose(csv);
    program.Close();

    const Sample& from = atThousand ? *atThousand : samples.front();
    const double growth = Private(atEnd) - Private(from);
    const double idleCpu = idleEnd.cpuSeconds - idleStart.cpuSeconds;
    DWORD minHandles = ~0u, maxHandles = 0, minGdi = ~0u, maxGdi = 0, minUser = ~0u, maxUser = 0;
    DWORD minFiles = ~0u, maxFiles = 0, minThreads = ~0u, maxThreads = 0;
    for (const Sample& s : samples) {
        if (s.changes < from.changes)
            continue;
        minHandles = std::min(minHandles, s.handles), maxHandles = std::max(maxHandles, s.handles);
        minGdi = std::min(minGdi, s.gdiObjects), maxGdi = std::max(maxGdi, s.gdiObjects);
        minUser = std::min(minUser, s.userObjects), maxUser = std::max(maxUser, s.userObjects);
        minFiles = std::min(minFiles, s.unixFiles), maxFiles = std::max(maxFiles, s.unixFiles);
        minThreads = std::min(minThreads, s.unixThreads), maxThreads = std::max(maxThreads, s.unixThreads);
    }
    // Flat: a count that moves by a few as a conversion's thread comes and
    // goes, never one that climbs with the changes.
    const bool flat = maxHandles - minHandles <= 8 && maxGdi - minGdi <= 4 && maxUser - minUser <= 4 &&
                      maxFiles - minFiles <= 4 && maxThreads - minThreads <= 2;
    std::printf("soak: %u changes in %.0f s (%u stalls), %u samples\n", static_cast<unsigned>(atEnd.changes),
                atEnd.seconds, static_cast<unsigned>(stalls), static_cast<unsigned>(samples.size()));
    std::printf("private bytes at change %u: %.0f, at change %u: %.0f; growth %.0f bytes (<= 1 MiB) %s\n",
                static_cast<unsigned>(from.changes), Private(from), static_cast<unsigned>(atEnd.changes),
                Private(atEnd), growth, Verdict(growth <= kGrowthLimit));
    std::printf("handles %lu..%lu, GDI objects %lu..%lu, USER objects %lu..%lu (0 where the system counts none); "
                "Unix files %lu..%lu, threads %lu..%lu: %s\n",
                minHandles, maxHandles, minGdi, maxGdi, minUser, maxUser, minFiles, maxFiles, minThreads, maxThreads,
                Verdict(flat));
    std::printf("CPU over %lu idle seconds: %.2f s (<= %.1f s) %s\n", idleSeconds, idleCpu, kIdleCpuLimit,
                Verdict(idleCpu <= kIdleCpuLimit));
    return growth <= kGrowthLimit && flat && idleCpu <= kIdleCpuLimit ? 0 : 1;
}
