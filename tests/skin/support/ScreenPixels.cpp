#include "tests/skin/support/ScreenPixels.h"

#include "tests/support/Canvas.h"
#include "tests/support/WindowHelpers.h"

PicturePixels ReadScreen(const RECT& screenRect)
{
    PicturePixels shot;
    shot.width = screenRect.right - screenRect.left;
    shot.height = screenRect.bottom - screenRect.top;
    testing_support::Canvas canvas(shot.width, shot.height);
    canvas.CopyScreen({screenRect.left, screenRect.top});
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            shot.pixels.push_back(canvas.Pixel(x, y));
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
