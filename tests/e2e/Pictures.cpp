#include "tests/e2e/Pictures.h"

#include "tests/engine/TestPictures.h"

#include <windows.h>

#include <shlobj.h>

#include <array>

namespace e2e {

namespace {

constexpr int kHeight = 40;
// In the order of the program's search: BMP, JPG, PNG, GIF.
constexpr std::array<const char*, 4> kNames = {"a.bmp", "b.jpg", "c.png", "d.gif"};
constexpr int kFirstWidth = 61;
// How each is converted once the journey has chosen full colour: the JPEG
// and the (RGB) PNG in 24 bits, the GIF with its palette.
constexpr std::array<const char*, 4> kConvertedDepths = {"", "/24", "/24", "/8"};

std::string FileName(const std::string& path)
{
    return path.substr(path.rfind('\\') + 1);
}

} // namespace

std::string PictureFolder::UsersPictures()
{
    char pictures[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, pictures);
    return std::string(pictures) + "\\";
}

PictureFolder::PictureFolder()
{
    int width = kFirstWidth;
    for (const char* name : kNames)
        WritePicture(Path(name), width++, kHeight);
}

std::string PictureFolder::ShownAs(const std::string& path)
{
    const std::string name = FileName(path);
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (name == kNames[i])
            return i == 0 ? name : "Q" + std::to_string(kFirstWidth + static_cast<int>(i)) + kConvertedDepths[i];
    return "(not a journey picture: " + path + ")";
}

std::string PictureFolder::After(const std::string& name)
{
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (FileName(name) == kNames[i])
            return kNames[(i + 1) % kNames.size()];
    return "(not a journey picture: " + name + ")";
}

} // namespace e2e
