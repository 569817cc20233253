#include "tests/e2e/Screenshots.h"

#include "tests/e2e/ProgramTexts.h"
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
    return wow64 ? "win64" : SystemIsChinese() ? "chinese" : "english";
}

struct ScreenPicture {
    BITMAPINFOHEADER header = {};
    std::vector<char> pixels;
};

ScreenPicture CaptureScreen()
{
    ScreenPicture picture;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    picture.header.biSize = sizeof picture.header;
    picture.header.biWidth = width;
    picture.header.biHeight = height;
    picture.header.biPlanes = 1;
    picture.header.biBitCount = 24;
    const DWORD rowBytes = (width * 3 + 3) & ~3u;
    picture.pixels.resize(static_cast<std::size_t>(rowBytes) * height);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    GetDIBits(memory, bitmap, 0, height, picture.pixels.data(), reinterpret_cast<BITMAPINFO*>(&picture.header),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
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
            if (now.pixels != last.pixels) {
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
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof picture.header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(picture.pixels.size());
    std::ofstream out(folder + "\\" + RunName() + "-" + moment + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&picture.header), sizeof picture.header);
    out.write(picture.pixels.data(), static_cast<std::streamsize>(picture.pixels.size()));
}

} // namespace e2e
