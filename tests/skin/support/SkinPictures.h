#pragma once
// Pictures for the skin tests: 24-bit BMP files written from a colour
// function, read back pixel by pixel, and whole skin folders.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Writes a width x height 24-bit BMP whose pixel (x, y), counted from the
// top left, has colour `at(x, y)`.
void WriteBmpFile(const std::string& path, int width, int height, const std::function<COLORREF(int, int)>& at);

// A picture's pixels, top row first.
struct PicturePixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
PicturePixels ReadPicture(const std::string& path);

// A skin folder holding "bg.bmp" and the default skin's button pictures,
// each of the given size and a plain colour per state, with a transparent
// top-left corner (a 4 x 4 block of magenta).
void WriteSkinFolder(const std::string& folder, int backgroundWidth, int backgroundHeight, int buttonWidth,
                     int buttonHeight);
COLORREF StateColour(int state);
