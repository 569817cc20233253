// imgconv: converts a picture to a BMP file along exactly the path that the
// wallpaper conversion takes, or prints what the library reads from it.
//
//   imgconv IN OUT.bmp     load IN (type from its extension), Save(OUT, -1)
//   imgconv --full-colour IN OUT.bmp
//                          the same, a JPEG read as the full-colour wallpaper reads it
//   imgconv --info IN      print width, height, bitCount, colorType,
//                          paletteEntries and transparentIndex, one per line
#include "image/ImageObject.h"
#include "image/jpeg/JpegFullColour.h"
#include "image/palette/DibPalette.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: imgconv [--full-colour] IN OUT.bmp | imgconv --info IN\n");
    return 2;
}

// The picture type by the program's extension rule; -1 with a message when
// the file is no picture.
int PictureType(const std::string& path)
{
    const int type = ImageTypeForPictureFile(path);
    if (type < 0)
        std::fprintf(stderr, "imgconv: %s: not a picture file\n", path.c_str());
    return type;
}

// Callers judge a load by width and height, and so does this tool.
bool Loaded(const CImageObject& picture, const std::string& path)
{
    if (picture.GetWidth() > 0 && picture.GetHeight() > 0)
        return true;
    std::fprintf(stderr, "imgconv: %s: cannot read the picture\n", path.c_str());
    return false;
}

int PrintInfo(const std::string& path)
{
    const int type = PictureType(path);
    if (type < 0)
        return 1;
    const CImageObject picture(path, type);
    if (!Loaded(picture, path))
        return 1;
    const CDibPalette* palette = picture.GetPalette();
    std::printf("width=%d\nheight=%d\nbitCount=%d\ncolorType=%d\npaletteEntries=%d\ntransparentIndex=%d\n",
                picture.GetWidth(), picture.GetHeight(), picture.GetBitCount(), picture.GetColorType(),
                palette ? palette->GetEntryCount() : 0, picture.GetImpl()->GetTransparentIndex());
    return 0;
}

int Convert(const std::string& in, const std::string& out, bool fullColour)
{
    const int type = PictureType(in);
    if (type < 0)
        return 1;
    CImageObject picture;
    if (fullColour && type == JPG)
        LoadJpegFullColour(in, picture);
    else
        picture.Load(in, type);
    if (!Loaded(picture, in))
        return 1;
    if (picture.Save(out, -1) != 1) {
        std::fprintf(stderr, "imgconv: %s: cannot write the picture\n", out.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--info") == 0)
        return PrintInfo(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "--full-colour") == 0)
        return Convert(argv[2], argv[3], true);
    if (argc == 3)
        return Convert(argv[1], argv[2], false);
    return Usage();
}
