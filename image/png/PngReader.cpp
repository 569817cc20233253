// Reading of PNG files. libpng reports errors by longjmp back to the setjmp
// in DecodePng, so the functions it can jump over keep only locals without
// destructors.
#include "image/png/PngImage.h"

#include "framework/Worker.h"
#include "image/colour/PictureToSrgb.h"
#include "image/io/SharedReadFile.h"
#include "image/orient/ExifOrientation.h"
#include "image/orient/OrientPicture.h"
#include "image/png/CriticalChunkCheck.h"

#include <png.h>

namespace {

// The rows between two looks for a stop.
constexpr png_uint_32 kRowsPerStopCheck = 16;

// libpng reads through its own place in the file; running out is a read
// error.
void ReadFromFile(png_structp png, png_bytep out, size_t count)
{
    if (static_cast<FileCursor*>(png_get_io_ptr(png))->Read(out, count) != count)
        png_error(png, "Read Error");
}

// Transparent and translucent pixels are composited on this colour.
const png_color_16 kBackground = {0, 31, 127, 255, 0};

bool IsGrey(int colorType)
{
    return (colorType & PNG_COLOR_MASK_COLOR) == 0;
}

// Copies the PLTE entries (at most 256) as red, green, blue triples; their count.
int CopyFilePalette(png_structp png, png_infop info, uint8_t triples[256 * 3])
{
    png_colorp palette = nullptr;
    int count = 0;
    if (!png_get_PLTE(png, info, &palette, &count) || count <= 0)
        return 0;
    if (count > 256)
        count = 256;
    for (int i = 0; i < count; ++i) {
        triples[i * 3] = palette[i].red;
        triples[i * 3 + 1] = palette[i].green;
        triples[i * 3 + 2] = palette[i].blue;
    }
    return count;
}

// Reads the header, sets the transformations and fills the picture.
int ReadPng(png_structp png, png_infop info, CImageImpl& picture)
{
    png_read_info(png, info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, &interlace, nullptr, nullptr);
    const bool greyWithAlpha =
        IsGrey(colorType) && ((colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0);
    const bool plainGrey = IsGrey(colorType) && !greyWithAlpha;

    if (bitDepth == 16)
        png_set_strip_16(png);
    if (plainGrey) {
        // Grey of every depth becomes 8-bit levels shown through a grey palette.
        png_set_expand_gray_1_2_4_to_8(png);
    } else if (greyWithAlpha) {
        // Composited on the (coloured) background, grey with alpha becomes
        // colour. A transparent grey level turns into an alpha channel first,
        // and the background is given in the output's colour space.
        png_set_tRNS_to_alpha(png);
        png_set_gray_to_rgb(png);
        png_set_background(png, &kBackground, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
    } else {
        png_set_background(png, &kBackground, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
    }
    if (colorType == PNG_COLOR_TYPE_PALETTE && bitDepth == 2)
        png_set_packing(png); // GDI draws no 2-bit pictures: one index per byte
    if (colorType & PNG_COLOR_MASK_COLOR || greyWithAlpha)
        png_set_bgr(png); // DIB rows hold blue, green, red
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    // The palette once libpng has composited its transparent and
    // translucent entries on the background, as it composites the pixels
    // of colour files: no transparent part turns black. Colour files may
    // carry a suggested palette too: it goes with the picture, so that
    // palette displays draw the picture through it.
    uint8_t triples[256 * 3];
    const int paletteSize = CopyFilePalette(png, info, triples);

    const int depth = png_get_bit_depth(png, info) * png_get_channels(png, info);
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24)
        return 0;
    if (width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return 0;
    if (!picture.Create(static_cast<int>(width), static_cast<int>(height), depth, colorType) || !picture.GetBits())
        return 0;

    if (paletteSize > 0) {
        picture.SetPalette(paletteSize, triples);
    } else if (plainGrey) {
        picture.SetGreyPalette(256);
    }

    // Rows arrive top row first, which is the last row of the pixel array;
    // each pass of an interlaced file merges into the rows already read.
    uint8_t* const topRow = picture.GetBits() + static_cast<size_t>(height - 1) * picture.GetRowStride();
    for (int pass = 0; pass < passes; ++pass) {
        uint8_t* row = topRow;
        for (png_uint_32 y = 0; y < height; ++y, row -= picture.GetRowStride()) {
            if (y % kRowsPerStopCheck == 0 && StopRequested())
                png_error(png, "stopped");
            png_read_row(png, row, nullptr);
        }
    }
    png_read_end(png, info);
    return 1;
}

// The orientation of the file's eXIf chunk, which libpng holds whether it
// came before the pixels or after them.
int PngOrientation(png_structp png, png_infop info)
{
    png_uint_32 size = 0;
    png_bytep exif = nullptr;
    if (!png_get_eXIf_1(png, info, &size, &exif))
        return 1;
    return OrientationFromExif(exif, size);
}

// Turns the picture's colours into sRGB from the file's iCCP profile.
void ConvertFromPngProfile(png_structp png, png_infop info, CImageImpl& picture)
{
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 size = 0;
    if (png_get_iCCP(png, info, &name, &compression, &profile, &size))
        ConvertPictureToSrgb(picture, profile, size);
}

int DecodePng(png_structp png, png_infop info, CImageImpl& picture)
{
    if (setjmp(png_jmpbuf(png)))
        return 0;
    return ReadPng(png, info, picture);
}

} // namespace

int CPngImage::Load(const std::string& name)
{
    const SharedReadFile file(AdoptFileName(name));
    if (!file.IsOpen())
        return 0;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return 0;
    }
    FileCursor source(file);
    png_set_read_fn(png, &source, ReadFromFile);
    // Outside the recovery point, so its thread ends however the decoding does.
    CriticalChunkCheck check(file);
    const bool checkedBeside = check.Start();
    if (checkedBeside)
        png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_DEFAULT);
    int result = DecodePng(png, info, *this);
    if (result != 0)
        ConvertFromPngProfile(png, info, *this);
    if (result != 0 && !OrientPicture(*this, PngOrientation(png, info)))
        result = 0;
    png_destroy_read_struct(&png, &info, nullptr);
    if (!checkedBeside || result == 0)
        return result;
    // A damaged file fails as it does when libpng finds the damage itself.
    return check.Passed() ? result : 0;
}
