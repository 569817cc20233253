#include "tests/skin/support/ScreenPixels.h"

#include "framework/GdiObject.h"
#include "tests/support/WindowHelpers.h"

PicturePixels ReadScreen(const RECT& screenRect)
{
    PicturePixels shot;
    shot.width = screenRect.right - screenRect.left;
    shot.height = screenRect.bottom - screenRect.top;
    WindowDc screen(nullptr);
    OwnedDc memory(CreateCompatibleDC(screen.Get()));
    CBitmap bitmap(CreateCompatibleBitmap(screen.Get(), shot.width, shot.height));
    {
        ScopedSelectObject select(memory.Get(), bitmap);
        BitBlt(memory.Get(), 0, 0, shot.width, shot.height, screen.Get(), screenRect.left, screenRect.top, SRCCOPY);
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> rows(static_cast<size_t>(shot.width) * shot.height);
    GetDIBits(screen.Get(), bitmap, 0, shot.height, rows.data(), &info, DIB_RGB_COLORS);
    for (uint32_t pixel : rows)
        shot.pixels.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    return shot;
}

bool ScreenShows(POINT topLeft, const PicturePixels& picture, const PicturePixels& shape, DWORD milliseconds)
{
    const RECT area = {topLeft.x, topLeft.y, topLeft.x + picture.width, topLeft.y + picture.height};
    const COLORREF transparent = shape.At(0, 0);
    auto matches = [&] {
        const PicturePixels shot = ReadScreen(area);
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                if (shape.At(x, y) != transparent && shot.At(x, y) != picture.At(x, y))
                    return false;
            }
        }
        return true;
    };
    return testing_support::PumpUntil(matches, milliseconds);
}

bool SkinButtonShows(HWND button, const std::string& folder, int index, int state)
{
    const int pictureState = (state == 3 && index != 0) ? 2 : state;
    const std::string prefix = folder + "\\button" + std::to_string(index) + "_";
    const PicturePixels picture = ReadPicture(prefix + std::to_string(pictureState) + ".bmp");
    const PicturePixels shape = ReadPicture(prefix + "0.bmp");
    RECT rect;
    GetWindowRect(button, &rect);
    return ScreenShows({rect.left, rect.top}, picture, shape);
}
