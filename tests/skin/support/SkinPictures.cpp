#include "tests/skin/support/SkinPictures.h"

#include "image/ImageFileType.h"
#include "image/ImageObject.h"
#include "tests/image/support/BmpBuilder.h"

#include <fstream>

void WriteBmpFile(const std::string& path, int width, int height, const std::function<COLORREF(int, int)>& at)
{
    BmpContents contents;
    contents.width = width;
    contents.height = height;
    contents.bitCount = 24;
    const int stride = StrideOf(24, width);
    contents.pixels.assign(static_cast<size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = &contents.pixels[static_cast<size_t>(height - 1 - y) * stride];
        for (int x = 0; x < width; ++x) {
            const COLORREF colour = at(x, y);
            row[3 * x] = GetBValue(colour);
            row[3 * x + 1] = GetGValue(colour);
            row[3 * x + 2] = GetRValue(colour);
        }
    }
    const std::vector<uint8_t> bytes = BuildBmp(contents);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

PicturePixels ReadPicture(const std::string& path)
{
    CImageObject image(path, ImageTypeForPictureFile(path));
    PicturePixels picture;
    picture.width = image.GetWidth();
    picture.height = image.GetHeight();
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            uint8_t r = 0, g = 0, b = 0;
            image.GetPixelColor(x, picture.height - 1 - y, r, g, b); // rows are stored bottom-up
            picture.pixels[static_cast<size_t>(y) * picture.width + x] = RGB(r, g, b);
        }
    }
    return picture;
}

COLORREF StateColour(int state)
{
    static const COLORREF colours[] = {RGB(200, 40, 40), RGB(40, 200, 40), RGB(40, 40, 200), RGB(128, 128, 128)};
    return colours[state];
}

void WriteSkinFolder(const std::string& folder, int backgroundWidth, int backgroundHeight, int buttonWidth,
                     int buttonHeight)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    const COLORREF transparent = RGB(255, 0, 255);
    auto corner = [&](COLORREF colour) { return [=](int x, int y) { return x < 4 && y < 4 ? transparent : colour; }; };
    WriteBmpFile(folder + "\\bg.bmp", backgroundWidth, backgroundHeight, corner(RGB(255, 128, 64)));
    for (int index = 0; index < 6; ++index) {
        for (int state = 0; state < (index == 0 ? 4 : 3); ++state) {
            const std::string name = "button" + std::to_string(index) + "_" + std::to_string(state) + ".bmp";
            WriteBmpFile(folder + "\\" + name, buttonWidth, buttonHeight, corner(StateColour(state)));
        }
    }
}
