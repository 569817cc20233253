#include "tests/e2e/Desktop.h"

#include "engine/Wallpaper.h"
#include "tests/engine/TestPictures.h"
#include "tests/support/Registry.h"
#include "tests/support/WindowHelpers.h"

namespace e2e {

using namespace testing_support;

namespace {

constexpr DWORD kPaintDeadline = 10000; // ms
constexpr char kBitmapName[] = "\\Quorwall.bmp";

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

void PresetDesktopWallpaper(const std::string& wallpaper, int showMode)
{
    const char* style = showMode == 2 ? "2" : "0";
    const char* tile = showMode == 1 ? "1" : "0";
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "Wallpaper", wallpaper);
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "WallpaperStyle", style);
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "TileWallpaper", tile);
}

std::string DesktopWallpaper()
{
    return DesktopValue("Wallpaper");
}

std::string DesktopValue(const char* name)
{
    return ReadStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, name).value_or("<missing>");
}

std::string ShownPicture()
{
    const std::string wallpaper = DesktopWallpaper();
    if (!EndsWith(wallpaper, kBitmapName))
        return wallpaper.substr(wallpaper.rfind('\\') + 1);
    const auto size = BitmapFileSize(wallpaper);
    if (!size)
        return "(unreadable bitmap " + wallpaper + ")";
    return "Q" + std::to_string(size->first) + "/" + std::to_string(BitmapBitCount(wallpaper));
}

bool WaitForScreenCentre(ScreenCentre what)
{
    const COLORREF desktopColour = GetSysColor(COLOR_DESKTOP);
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    return PumpUntil(
        [&] {
            HDC screen = GetDC(nullptr);
            const COLORREF shown = GetPixel(screen, x, y);
            ReleaseDC(nullptr, screen);
            if (shown == CLR_INVALID)
                return false;
            return (shown == desktopColour) == (what == ScreenCentre::PlainDesktop);
        },
        kPaintDeadline);
}

} // namespace e2e
