// Our two-pass quantiser against libjpeg's own, as `djpeg -colors 128`
// runs it: every JPEG of the gathered corpus (tests/image/jpeg-corpus.sh)
// and pictures made here in odd shapes must give the same palette and the
// same index for every pixel, or fail to load where the library fails. Ink
// files, which the library does not quantise, must give the colours of the
// library's own CMYK (from YCCK too) before quantising.
#include "image/ImageObject.h"
#include "image/jpeg/JpegFileSource.h"
#include "image/jpeg/InkJpeg.h"
#include "image/jpeg/JpegErrorManager.h"
#include "image/jpeg/JpegLines.h"
#include "image/jpeg/JpegMarkers.h"
#include "image/palette/DibPalette.h"
#include "tests/image/support/LibraryWriters.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include <windows.h>

using testing_support::TempFolder;

namespace {

// A picture as palette indices (of an ink file: red, green, blue), top row
// first, and its palette.
struct IndexedPicture {
    bool loaded = false;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> indices;
    std::vector<uint8_t> palette; // red, green, blue triples

    bool operator==(const IndexedPicture& other) const
    {
        return loaded == other.loaded && width == other.width && height == other.height && indices == other.indices &&
               palette == other.palette;
    }
};

// What a row of the library's CMYK shows: each ink's uncovered paper
// darkened by the black's, inverted in files with an Adobe marker.
void InkColours(const uint8_t* cmyk, int width, bool inverted, std::vector<uint8_t>& rgb)
{
    const auto paper = [inverted](int value) { return inverted ? value : 255 - value; };
    for (int x = 0; x < width; ++x, cmyk += 4)
        for (int c = 0; c < 3; ++c)
            rgb.push_back(static_cast<uint8_t>((paper(cmyk[c]) * paper(cmyk[3]) + 127) / 255));
}

// Runs read on a decoder of path's file past its header; false when the
// library gave up on the file.
template <typename Read> bool DecodeFile(const std::string& path, Read read)
{
    const SharedReadFile file(path);
    if (!file.IsOpen())
        return false;
    jpeg_decompress_struct decoder = {};
    JpegErrorManager errors;
    decoder.err = InstallJpegErrorManager(errors);
    jpeg_create_decompress(&decoder);
    volatile bool done = false; // read after a longjmp
    if (setjmp(errors.recovery) == 0) {
        UseSharedFileSource(decoder, file);
        KeepMarkersWeRead(decoder);
        jpeg_read_header(&decoder, TRUE);
        done = read(decoder, file) && !errors.endedEarly; // what a cut file lacks is no picture to us
    }
    jpeg_destroy_decompress(&decoder);
    return done;
}

// What djpeg -colors 128 makes of a colour file, of a grey one what the
// program shows (its 256 levels), of an ink file its colours.
bool DecodeWithLibrary(jpeg_decompress_struct& decoder, IndexedPicture& picture)
{
    const bool ink = IsInkColorSpace(decoder.jpeg_color_space);
    const bool grey = decoder.jpeg_color_space == JCS_GRAYSCALE;
    decoder.quantize_colors = !grey && !ink;
    decoder.desired_number_of_colors = 128;
    decoder.out_color_space = ink ? JCS_CMYK : decoder.out_color_space;
    jpeg_start_decompress(&decoder);
    picture.width = static_cast<int>(decoder.output_width);
    picture.height = static_cast<int>(decoder.output_height);
    const int rowBytes = picture.width * decoder.output_components;
    std::vector<uint8_t> row(static_cast<size_t>(rowBytes));
    while (decoder.output_scanline < decoder.output_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&decoder, rows, 1);
        if (ink)
            InkColours(row.data(), picture.width, decoder.saw_Adobe_marker, picture.indices);
        else
            picture.indices.insert(picture.indices.end(), row.begin(), row.end());
    }
    for (int i = 0; i < (grey ? 256 : ink ? 0 : decoder.actual_number_of_colors); ++i)
        for (int c = 0; c < 3; ++c)
            picture.palette.push_back(static_cast<uint8_t>(grey ? i : decoder.colormap[c][i]));
    jpeg_finish_decompress(&decoder);
    return true;
}

IndexedPicture LibraryPicture(const std::string& path, bool& ink)
{
    IndexedPicture picture;
    picture.loaded = DecodeFile(path, [&](jpeg_decompress_struct& decoder, const SharedReadFile&) {
        ink = IsInkColorSpace(decoder.jpeg_color_space);
        return DecodeWithLibrary(decoder, picture);
    });
    return picture.loaded ? picture : IndexedPicture();
}

// Our colours of an ink file, before quantising.
IndexedPicture OurInkColours(const std::string& path)
{
    IndexedPicture picture;
    JpegColorRows rows;
    picture.loaded = DecodeFile(path, [&](jpeg_decompress_struct& decoder, const SharedReadFile& file) {
        RequestOutput(decoder);
        jpeg_start_decompress(&decoder);
        return rows.Decode(decoder, file);
    });
    picture.width = picture.loaded ? rows.Width() : 0;
    picture.height = picture.loaded ? rows.Height() : 0;
    for (int y = 0; y < picture.height; ++y)
        picture.indices.insert(picture.indices.end(), rows.Row(y), rows.Row(y) + picture.width * 3);
    return picture;
}

IndexedPicture OurPicture(const std::string& path, bool ink)
{
    if (ink)
        return OurInkColours(path);
    IndexedPicture picture;
    const CImageObject image(path, JPG);
    picture.loaded = image.GetWidth() > 0 && image.GetHeight() > 0;
    if (!picture.loaded)
        return picture;
    picture.width = image.GetWidth();
    picture.height = image.GetHeight();
    for (int y = picture.height - 1; y >= 0; --y) {
        const uint8_t* row = image.GetBits() + static_cast<size_t>(y) * image.GetImpl()->GetRowStride();
        picture.indices.insert(picture.indices.end(), row, row + picture.width);
    }
    for (int i = 0; i < image.GetPalette()->GetEntryCount(); ++i) {
        uint8_t rgb[3] = {};
        image.GetPalette()->GetEntry(i, rgb[0], rgb[1], rgb[2]);
        picture.palette.insert(picture.palette.end(), rgb, rgb + 3);
    }
    return picture;
}

// Whether we turn the file upright or convert its colours to sRGB, which
// libjpeg does not: such files are compared by their size only.
bool TurnedOrConverted(const std::string& path)
{
    int orientation = 1;
    SrgbConversion conversion;
    DecodeFile(path, [&](jpeg_decompress_struct& decoder, const SharedReadFile&) {
        orientation = JpegOrientation(decoder);
        PrepareProfile(decoder, IsGreyJpeg(decoder) ? PixelLayout::GreyToRgb : PixelLayout::Rgb24, conversion);
        return true;
    });
    return orientation != 1 || conversion.Converts();
}

// Smooth waves, a few sharp edges and some noise, like a photograph; or a
// grey one, or one of four flat colours (a palette of fewer than 128).
enum class Scene { Photo, Grey, FourColours };

std::vector<uint8_t> Draw(Scene scene, int width, int height)
{
    std::vector<uint8_t> rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int noise = static_cast<int>((x * 2654435761u + y * 40503u) >> 27);
            const int wave = static_cast<int>(90 * std::sin(x / 23.0) * std::cos(y / 31.0));
            int r = 128 + wave + noise, g = (y * 255) / height, b = (x > width / 3 ? 200 : 40) - noise;
            if (scene == Scene::Grey)
                r = g = b = (x * 5 + y * 3 + noise) & 255;
            if (scene == Scene::FourColours) {
                r = x < width / 2 ? 250 : 10;
                g = y < height / 2 ? 240 : 60;
                b = 128;
            }
            rgb.insert(rgb.end(), {uint8_t(r), uint8_t(g), uint8_t(b)});
        }
    return rgb;
}

std::vector<std::string> MakeOddPictures(const TempFolder& folder)
{
    struct Made {
        const char* name;
        int width, height;
        Scene scene;
        JpegLayout layout;
        InkStorage ink = InkStorage::None;
    };
    const Made made[] = {
        {"1x1", 1, 1, Scene::Photo, {}},
        {"1xN", 1, 77, Scene::Photo, {}},
        {"Nx1", 93, 1, Scene::Photo, {}},
        {"odd-420", 301, 199, Scene::Photo, {2, 2, false, 0}},
        {"odd-422", 301, 199, Scene::Photo, {2, 1, false, 0}},
        {"odd-444", 301, 199, Scene::Photo, {1, 1, false, 0}},
        {"odd-440", 301, 199, Scene::Photo, {1, 2, false, 0}},
        {"odd-411", 301, 199, Scene::Photo, {4, 1, false, 0}},
        {"progressive", 256, 170, Scene::Photo, {2, 2, true, 0}},
        {"restarts", 250, 180, Scene::Photo, {2, 1, false, 1}},
        {"grey-looking", 200, 150, Scene::Grey, {}},
        {"four-colours", 120, 90, Scene::FourColours, {1, 1, false, 0}},
        // Enough pixels that histogram cells fill up to their limit.
        {"large", 1600, 1200, Scene::Photo, {}},
        // Widths that leave a few pixels past the last group of eight.
        {"ink-ycck", 301, 199, Scene::Photo, {}, InkStorage::AdobeYcck},
        {"ink-adobe", 203, 97, Scene::Photo, {}, InkStorage::AdobeCmyk},
        {"ink-plain", 5, 70, Scene::Photo, {}, InkStorage::PlainCmyk},
    };
    std::vector<std::string> paths;
    for (const Made& m : made) {
        paths.push_back(folder.File(std::string(m.name) + ".jpg"));
        const std::vector<uint8_t> rgb = Draw(m.scene, m.width, m.height);
        EXPECT_TRUE(m.ink == InkStorage::None ? WriteTestJpeg(paths.back(), m.width, m.height, 3, rgb, 90, m.layout)
                                              : WriteTestInkJpeg(paths.back(), m.width, m.height, rgb, m.ink));
    }
    paths.push_back(folder.File("grey.jpg"));
    EXPECT_TRUE(WriteTestJpeg(paths.back(), 64, 48, 1, std::vector<uint8_t>(64 * 48, 77)));
    return paths;
}

std::vector<std::string> CorpusFiles()
{
    std::vector<std::string> paths;
    const char* folder = std::getenv("TESSALY_JPEG_CORPUS");
    if (!folder)
        return paths;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((std::string(folder) + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return paths;
    do
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            paths.push_back(std::string(folder) + "\\" + found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return paths;
}

// At least this many corpus files, so a corpus that went missing fails.
constexpr int kMinimumCorpusFiles = 90;

TEST(JpegQuantizer, GivesLibjpegsPaletteAndPixelsForEveryFile)
{
    // The second run of this test is tied to one processor.
    if (std::getenv("TESSALY_ONE_PROCESSOR")) {
        ASSERT_TRUE(SetProcessAffinityMask(GetCurrentProcess(), 1));
    }
    const TempFolder folder;
    std::vector<std::string> files = MakeOddPictures(folder);
    const std::vector<std::string> corpus = CorpusFiles();
    EXPECT_GE(static_cast<int>(corpus.size()), kMinimumCorpusFiles) << "run tests/image/jpeg-corpus.sh";
    files.insert(files.end(), corpus.begin(), corpus.end());

    int compared = 0;
    for (const std::string& path : files) {
        bool ink = false;
        const IndexedPicture library = LibraryPicture(path, ink);
        const IndexedPicture ours = OurPicture(path, ink);
        if (TurnedOrConverted(path))
            EXPECT_EQ(ours.width * ours.height, library.width * library.height) << path;
        else
            EXPECT_TRUE(ours == library) << path << (library.loaded ? "" : ": the library refuses it, we did not");
        compared += library.loaded;
    }
    std::printf("%d of %d files decoded and compared\n", compared, static_cast<int>(files.size()));
}

} // namespace
