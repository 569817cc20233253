#include "tests/e2e/Screenshots.h"

#include "tests/support/Canvas.h"
#include "tests/support/Tessaly.h"
#include "tests/support/WindowHelpers.h"

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

namespace e2e {

namespace {

std::string ScreenshotFolder()
{
    char folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("TESSALY_E2E_SCREENSHOTS", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? folder : std::string();
}

std::string RunName()
{
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    return wow64 ? "win64" : testing_support::SystemIsChinese() ? "chinese" : "english";
}

// The screen's pixels, top row first, 32 bits each.
using ScreenPicture = std::vector<uint32_t>;

ScreenPicture CaptureScreen()
{
    testing_support::Canvas canvas(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    canvas.CopyScreen({0, 0});
    return ScreenPicture(canvas.Bits(), canvas.Bits() + canvas.Width() * canvas.Height());
}

// The screen once it has not changed for a moment: the skinned window
// paints in two stages, the second 50 ms after the first.
ScreenPicture SettledScreen()
{
    constexpr DWORD kSettled = 200;   // ms without a change
    constexpr DWORD kPatience = 3000; // ms; then the screen as it is
    ScreenPicture last = CaptureScreen();
    DWORD unchangedSince = GetTickCount();
    testing_support::PumpUntil(
        [&] {
            ScreenPicture now = CaptureScreen();
            if (now != last) {
                last = std::move(now);
                unchangedSince = GetTickCount();
            }
            return GetTickCount() - unchangedSince >= kSettled;
        },
        kPatience);
    return last;
}

} // namespace

void TakeScreenshot(const char* moment)
{
    const std::string folder = ScreenshotFolder();
    if (folder.empty())
        return;
    const ScreenPicture picture = SettledScreen();
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = GetSystemMetrics(SM_CXSCREEN);
    header.biHeight = -GetSystemMetrics(SM_CYSCREEN);
    header.biPlanes = 1;
    header.biBitCount = 32;
    const DWORD pixelBytes = static_cast<DWORD>(picture.size() * sizeof picture[0]);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + pixelBytes;
    std::ofstream out(folder + "\\" + RunName() + "-" + moment + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(picture.data()), pixelBytes);
}

} // namespace e2e
