// WebP files made with libwebp's own encoder and TIFF files written byte
// by byte (read through the system's Imaging Component: Wine's decodes TIFF
// and has no JPEG XL decoder, so a read picture and a missing decoder are
// both real here), each held against the pixels it must give; and the
// corpus of WebP, HEIF and AVIF files against their libraries' own tools.
#include "image/AlphaBackground.h"
#include "image/ImageObject.h"
#include "image/MissingDecoders.h"
#include "image/colour/SrgbConversion.h"
#include "image/orient/ExifOrientation.h"
#include "image/orient/Orientation.h"
#include "tests/image/support/FileBytes.h"
#include "tests/image/support/ModernWriters.h"
#include "tests/image/support/TurnedPictures.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <cstdlib>
#include <windows.h>

using testing_support::TempFolder;

namespace {

// The extended container around a simple file's image chunk, declaring a
// w x h canvas, with an ICCP and an EXIF chunk unless they are empty.
std::vector<uint8_t> Extended(const std::vector<uint8_t>& simple, int w, int h, bool alpha,
                              const std::vector<uint8_t>& profile, const std::vector<uint8_t>& exif)
{
    std::vector<uint8_t> header, body = {'W', 'E', 'B', 'P'}, file = {'R', 'I', 'F', 'F'};
    const auto chunk = [&body](const char* fourcc, const std::vector<uint8_t>& data) {
        body.insert(body.end(), fourcc, fourcc + 4);
        PutLittleEndian(body, static_cast<uint32_t>(data.size()), 4);
        body.insert(body.end(), data.begin(), data.end());
        body.resize(body.size() + data.size() % 2);
    };
    PutLittleEndian(header, (profile.empty() ? 0 : 0x20) | (alpha ? 0x10 : 0) | (exif.empty() ? 0 : 0x08), 4);
    PutLittleEndian(header, static_cast<uint32_t>(w - 1), 3);
    PutLittleEndian(header, static_cast<uint32_t>(h - 1), 3);
    chunk("VP8X", header);
    if (!profile.empty())
        chunk("ICCP", profile);
    body.insert(body.end(), simple.begin() + 12, simple.end());
    if (!exif.empty())
        chunk("EXIF", exif);
    PutLittleEndian(file, static_cast<uint32_t>(body.size()), 4);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// A picture as its width, its height, then blue, green, red rows, top first.
using Pixels = std::vector<int>;

Pixels PicturePixels(const CImageObject& picture)
{
    Pixels pixels = {picture.GetWidth(), picture.GetHeight()};
    for (int i = 0; i < picture.GetWidth() * picture.GetHeight(); ++i) {
        uint8_t r = 0, g = 0, b = 0;
        picture.GetPixelColor(i % picture.GetWidth(), picture.GetHeight() - 1 - i / picture.GetWidth(), r, g, b);
        pixels.insert(pixels.end(), {b, g, r});
    }
    return pixels;
}

// The largest difference of one colour between two pictures; 256 when
// their sizes differ.
int MaxDifference(const Pixels& a, const Pixels& b)
{
    if (a.size() != b.size() || a[0] != b[0] || a[1] != b[1])
        return 256;
    int most = 0;
    for (size_t i = 2; i < a.size(); ++i)
        most = std::max(most, std::abs(a[i] - b[i]));
    return most;
}

// Stored w x h blue, green, red, alpha rows as they must show: turned into
// sRGB when a profile is given, composed on the background, turned upright.
Pixels Shown(std::vector<uint8_t> bgra, int w, int h, const std::vector<uint8_t>& profile = {}, int orientation = 1)
{
    SrgbConversion colours;
    if (colours.Prepare(profile.data(), profile.size(), PixelLayout::Bgra32))
        colours.Convert(bgra.data(), bgra.data(), bgra.size() / 4);
    Pixels pixels(2 + bgra.size() / 4 * 3);
    pixels[0] = UprightWidth(orientation, w, h);
    pixels[1] = UprightHeight(orientation, w, h);
    for (int i = 0; i < w * h; ++i) {
        uint8_t bgr[3];
        ComposeBgraRow(&bgra[i * 4], bgr, 1);
        int x = i % w, y = i / w;
        UprightPlace(orientation, w, h, x, y);
        std::copy_n(bgr, 3, &pixels[2 + (y * pixels[0] + x) * 3]);
    }
    return pixels;
}

struct Case {
    std::string name;
    ImageFileType type;
    std::vector<uint8_t> file;
    Pixels expected;
};

std::vector<Case> Cases()
{
    const int w = 37, h = 23;
    std::vector<uint8_t> opaque, translucent; // blue, green, red, alpha with fine detail
    for (int i = 0; i < w * h * 4; ++i) {
        opaque.push_back(static_cast<uint8_t>(i % 4 == 3 ? 255 : i * (i % 4 * 6 + 7)));
        translucent.push_back(static_cast<uint8_t>(i * (i % 4 * 6 + 7)));
    }
    const std::vector<uint8_t> adobe = MakeProfile(TestProfile::AdobeRgb);
    std::vector<Case> cases;
    const auto webp = [&](const char* name, const std::vector<uint8_t>& file, const std::vector<uint8_t>& profile,
                          int orientation) {
        uint8_t* bgra = WebPDecodeBGRA(file.data(), file.size(), nullptr, nullptr); // libwebp's own reading
        cases.push_back({name, WEBP, file, Shown({bgra, bgra + w * h * 4}, w, h, profile, orientation)});
        WebPFree(bgra);
    };
    webp("lossless", WebpFile(opaque, w, h, -1), {}, 1);
    webp("lossy", WebpFile(opaque, w, h, 60), {}, 1);
    webp("lossless alpha", WebpFile(translucent, w, h, -1), {}, 1);
    webp("lossy alpha", WebpFile(translucent, w, h, 80), {}, 1);
    webp("turned", Extended(WebpFile(opaque, w, h, -1), w, h, false, {}, ExifBlock(6)), {}, 6);
    webp("profile", Extended(WebpFile(opaque, w, h, 70), w, h, false, adobe, {}), adobe, 1);
    webp("profile alpha", Extended(WebpFile(translucent, w, h, -1), w, h, true, adobe, {}), adobe, 1);
    // TIFF: red, green, blue samples stored 3 x 2, in every orientation.
    std::vector<uint8_t> rgb, bgra;
    for (int i = 0; i < 18; ++i)
        rgb.push_back(static_cast<uint8_t>(20 + i * 10));
    for (int i = 0; i < 18; i += 3)
        bgra.insert(bgra.end(), {rgb[i + 2], rgb[i + 1], rgb[i], 255});
    for (int orientation = 1; orientation <= 8; ++orientation)
        cases.push_back({"tiff " + std::to_string(orientation), WIC, TiffFile(3, 2, 3, orientation, rgb),
                         Shown(bgra, 3, 2, {}, orientation)});
    cases.push_back({"tiff alpha", WIC, TiffFile(3, 1, 4, 1, {200, 100, 50, 255, 200, 100, 50, 128, 200, 100, 50, 0}),
                     Shown({50, 100, 200, 255, 50, 100, 200, 128, 50, 100, 200, 0}, 3, 1)});
    return cases;
}

// What dwebp wrote (a red, green, blue, alpha PAM file), as our reader
// must show it: the file's ICCP and EXIF chunks applied.
Pixels DwebpPixels(const std::vector<uint8_t>& file, const std::vector<uint8_t>& pam)
{
    int w = 0, h = 0;
    if (std::sscanf(std::string(pam.begin(), pam.begin() + std::min<size_t>(pam.size(), 40)).c_str(),
                    "P7 WIDTH %d HEIGHT %d", &w, &h) != 2 ||
        pam.size() < static_cast<size_t>(w) * h * 4)
        return {};
    std::vector<uint8_t> bgra(pam.end() - static_cast<size_t>(w) * h * 4, pam.end());
    for (size_t i = 0; i < bgra.size(); i += 4)
        std::swap(bgra[i], bgra[i + 2]);
    const WebPData data = {file.data(), file.size()};
    WebPDemuxer* demuxer = WebPDemux(&data);
    WebPChunkIterator chunk;
    std::vector<uint8_t> profile;
    int orientation = 1;
    if (demuxer && WebPDemuxGetChunk(demuxer, "ICCP", 1, &chunk))
        profile.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
    if (demuxer && WebPDemuxGetChunk(demuxer, "EXIF", 1, &chunk))
        orientation = OrientationFromExif(chunk.chunk.bytes, chunk.chunk.size);
    WebPDemuxReleaseChunkIterator(&chunk);
    WebPDemuxDelete(demuxer);
    return Shown(bgra, w, h, profile, orientation);
}

} // namespace

TEST(ModernFormats, EachPictureGivesItsPixelsEachBadFileNoneAndAMissingDecoderIsNoted)
{
    TempFolder folder;
    for (const Case& test : Cases()) {
        SCOPED_TRACE(test.name);
        const std::string path = folder.File(test.type == WIC ? "a.tif" : "a.webp");
        WriteFileBytes(path, test.file);
        const CImageObject picture(path, test.type);
        EXPECT_EQ(picture.GetBitCount(), 24);
        EXPECT_EQ(MaxDifference(PicturePixels(picture), test.expected), 0);
        // Cut anywhere, a file gives no picture, never a part of one.
        for (size_t cut : {size_t{4}, size_t{30}, test.file.size() / 2, test.file.size() - 1}) {
            WriteFileBytes(path, std::vector<uint8_t>(test.file.begin(), test.file.begin() + cut));
            EXPECT_EQ(CImageObject(path, test.type).GetWidth(), 0) << cut;
        }
    }
    // Beyond the size rule as declared (the pixels are tiny), and garbage.
    const std::vector<uint8_t> small = WebpFile(std::vector<uint8_t>(3 * 2 * 4, 200), 3, 2, -1);
    const Case bad[] = {{"huge webp", WEBP, Extended(small, 40000, 40000, false, {}, ExifBlock(1)), {}},
                        {"huge tiff", WIC, TiffFile(40000, 2, 3, 1, std::vector<uint8_t>(48, 90)), {}},
                        {"garbage tiff", WIC, std::vector<uint8_t>(300, 0xA5), {}}};
    for (const Case& test : bad) {
        WriteFileBytes(folder.File("bad.tif"), test.file);
        EXPECT_EQ(CImageObject(folder.File("bad.tif"), test.type).GetWidth(), 0) << test.name;
    }
    EXPECT_EQ(MissingDecoders(), std::vector<std::string>{}) << "a bad file is no missing decoder";
    WriteFileBytes(folder.File("photo.jxl"), {0xFF, 0x0A, 0xFA, 0x7F});
    EXPECT_EQ(CImageObject(folder.File("photo.jxl"), WIC).GetWidth(), 0);
    EXPECT_EQ(MissingDecoders(), std::vector<std::string>{"JPEG XL"});
    // Wine's Imaging Component decodes DDS too; icons stay out.
    EXPECT_EQ(ImageTypeForPictureFile("C:\\a\\sky.dds"), WIC);
    EXPECT_EQ(ImageTypeForPictureFile("C:\\a\\sky.ico"), -1);
}

// Every file tests/image/modern-corpus.sh gathered, against its library's
// own tool (modern-reference.sh): the same pixels wherever the tool gives
// a picture; then each file cut at four places. A crash or a hang ends the
// run, so finishing is the check for those.
TEST(ModernFormats, TheCorpusGivesWhatTheLibrariesOwnToolsGive)
{
    const char* corpus = std::getenv("TESSALY_MODERN_CORPUS");
    WIN32_FIND_DATAA found;
    const HANDLE find = corpus ? FindFirstFileA((std::string(corpus) + "\\files\\*").c_str(), &found) : nullptr;
    if (!find || find == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "no corpus: tests/image/modern-corpus.sh gathers it";
    TempFolder folder;
    int files = 0, same = 0, offByOne = 0, oursOnly = 0, cuts = 0;
    do {
        const std::string name = found.cFileName;
        const std::string path = std::string(corpus) + "\\files\\" + name;
        const int type = ImageTypeForPictureFile(path);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || (type != WEBP && type != HEIF && type != AVIF))
            continue;
        SCOPED_TRACE(name);
        ++files;
        const std::vector<uint8_t> file = ReadFileBytes(path);
        const std::string reference = std::string(corpus) + "\\reference\\" + name;
        const Pixels ours = PicturePixels(CImageObject(path, type)),
                     expected = type == WEBP ? DwebpPixels(file, ReadFileBytes(reference + ".pam"))
                                             : PicturePixels(CImageObject(reference + ".png", PNG));
        if (expected.size() > 2) {
            // Debian's libde265, built for 64 bits, rounds a few HEVC pixels
            // otherwise than the same source built for the program (whose own
            // heif-convert.exe gives ours exactly).
            const int difference = MaxDifference(ours, expected);
            EXPECT_LE(difference, type == HEIF ? 1 : 0);
            (difference == 0 ? same : offByOne)++;
        } else {
            oursOnly += ours[0] > 0; // the tool refused it
        }
        const std::string cutPath = folder.File("cut" + name.substr(name.rfind('.')));
        for (size_t cut : {file.size() / 4, file.size() / 2, file.size() * 3 / 4, file.size() - 1}) {
            WriteFileBytes(cutPath, std::vector<uint8_t>(file.begin(), file.begin() + cut));
            cuts += CImageObject(cutPath, type).GetWidth() >= 0;
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
    std::printf("%d files: %d identical to the tool's picture, %d a level off at most, %d read by us alone; %d cuts "
                "read\n",
                files, same, offByOne, oursOnly, cuts);
    EXPECT_GT(files, 0);
}
