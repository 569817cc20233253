// window_bench: how long Tessaly.exe's window keeps a message waiting while
// it changes the wallpaper through 6000 x 4000 JPEGs one after another.
//
//   window_bench PROGRAM INPUTS WORK [SECONDS]
//
// PROGRAM is dist\Tessaly.exe (with its language modules and skins beside
// it); INPUTS holds bench_inputs' photo.jpg. The program runs in interval
// mode at its shortest interval (about a second, shorter than one
// conversion here), so a conversion is always running. Another thread of
// this process sends WM_NULL to the main window every 5 ms and keeps the
// longest round trip: what a click on the window or its icon waits for at
// worst. The peer is one conversion of the same picture in this process,
// which is what the window waited for when it converted on its own thread.
#include "common/Stopwatch.h"
#include "engine/Wallpaper.h"
#include "engine/WallpaperBitmap.h"
#include "settings/RegistryKey.h"
#include "settings/Settings.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kCopies = 6;

void PresetProgram(const std::string& firstPicture)
{
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKeyPath);
    CRegistryKey settings;
    settings.Open(HKEY_CURRENT_USER, kSettingsKeyPath);
    settings.WriteString("AutoRun", "0");
    settings.WriteString("ChangeMode", "3");
    settings.WriteString("ChangeTime", "0.0167");
    settings.WriteString("Preview", "0");
    settings.WriteString("CurPicFileName", firstPicture);
    CRegistryKey desktop;
    desktop.Open(HKEY_CURRENT_USER, kUserDesktopKeyPath);
    desktop.WriteString("Wallpaper", firstPicture); // a picture is shown: changes are on
    desktop.WriteString("TileWallpaper", "0");
    desktop.WriteString("WallpaperStyle", "2");
}

HWND WaitForMainWindow(DWORD processId)
{
    for (int tries = 0; tries < 400; ++tries) {
        HWND window = nullptr;
        while ((window = FindWindowExA(nullptr, window, nullptr, "Orvane Tessaly")) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == processId && IsWindowVisible(window))
                return window;
        }
        Sleep(50);
    }
    return nullptr;
}

FILETIME LastWrite(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: window_bench PROGRAM INPUTS WORK [SECONDS]\n");
        return 2;
    }
    const std::string program = argv[1];
    const std::string photo = std::string(argv[2]) + "\\photo.jpg";
    const std::string folder = std::string(argv[3]) + "\\window-photos";
    const double seconds = argc == 5 ? std::max(5.0, std::atof(argv[4])) : 20.0;
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 1; i <= kCopies; ++i)
        CopyFileA(photo.c_str(), (folder + "\\photo " + std::to_string(i) + ".jpg").c_str(), FALSE);

    // The peer: one conversion on the caller's thread.
    Stopwatch convert;
    ConvertPictureToBitmap(photo, folder + "\\converted.bmp");
    const double conversion = convert.Seconds();

    PresetProgram(folder + "\\photo 1.jpg");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "window_bench: cannot start %s\n", program.c_str());
        return 2;
    }
    HWND window = WaitForMainWindow(process.dwProcessId);
    double longest = 0;
    int changes = 0;
    int sent = 0;
    if (window) {
        const std::string bitmap = WallpaperBitmapPath();
        FILETIME seen = LastWrite(bitmap);
        for (Stopwatch run; run.Seconds() < seconds; Sleep(5)) {
            DWORD_PTR result = 0;
            Stopwatch roundTrip;
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
            longest = std::max(longest, roundTrip.Seconds());
            ++sent;
            const FILETIME now = LastWrite(bitmap);
            if (CompareFileTime(&now, &seen) != 0) {
                seen = now;
                ++changes;
            }
        }
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 15000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!window) {
        std::printf("%-30s FAULT: no main window\n", "window, 24 MP JPEGs");
        return 1;
    }
    std::printf("%-30s longest WM_NULL round trip %.3f s of %d, %d conversions in %.0f s; one conversion %.3f s "
                "(ratio %.2f), goal <= 0.100 s  %s\n",
                "window, 24 MP JPEGs", longest, sent, changes, seconds, conversion, longest / conversion,
                longest <= 0.100 ? "PASS" : "MISS");
    return changes > 0 ? 0 : 1;
}
