// WebP files made with libwebp's own encoder and TIFF files written byte
// by byte (read through the system's Imaging Component: Wine's decodes TIFF
// and has no JPEG XL decoder, so a read picture and a missing decoder are
// both real here), each held against the pixels it must give.
#include "image/AlphaBackground.h"
#include "image/ImageObject.h"
#include "image/MissingDecoders.h"
#include "image/colour/SrgbConversion.h"
#include "image/heif/HeifLibrary.h"
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

void Put(std::vector<uint8_t>& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Blue, green, red, alpha samples of a w x h picture with fine detail.
std::vector<uint8_t> Samples(int w, int h, bool translucent)
{
    std::vector<uint8_t> bgra;
    for (int i = 0; i < w * h; ++i)
        bgra.insert(bgra.end(), {static_cast<uint8_t>(i * 7), static_cast<uint8_t>(i * 13 + 5),
                                 static_cast<uint8_t>(i * 29 + 11), static_cast<uint8_t>(translucent ? i * 37 : 255)});
    return bgra;
}

// The extended container around a simple file's image chunk, declaring a
// w x h canvas, with an ICCP and an EXIF chunk unless they are empty.
std::vector<uint8_t> Extended(const std::vector<uint8_t>& simple, int w, int h, bool alpha,
                              const std::vector<uint8_t>& profile, const std::vector<uint8_t>& exif)
{
    const auto chunk = [](std::vector<uint8_t>& out, const char* fourcc, const std::vector<uint8_t>& data) {
        out.insert(out.end(), fourcc, fourcc + 4);
        Put(out, static_cast<uint32_t>(data.size()), 4);
        out.insert(out.end(), data.begin(), data.end());
        if (data.size() % 2)
            out.push_back(0);
    };
    std::vector<uint8_t> header;
    Put(header, (profile.empty() ? 0 : 0x20) | (alpha ? 0x10 : 0) | (exif.empty() ? 0 : 0x08), 4);
    Put(header, static_cast<uint32_t>(w - 1), 3);
    Put(header, static_cast<uint32_t>(h - 1), 3);
    std::vector<uint8_t> body = {'W', 'E', 'B', 'P'};
    chunk(body, "VP8X", header);
    if (!profile.empty())
        chunk(body, "ICCP", profile);
    body.insert(body.end(), simple.begin() + 12, simple.end());
    if (!exif.empty())
        chunk(body, "EXIF", exif);
    std::vector<uint8_t> file = {'R', 'I', 'F', 'F'};
    Put(file, static_cast<uint32_t>(body.size()), 4);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// Blue, green, red, alpha rows composed on the background, turned into
// sRGB first when a profile is given.
std::vector<uint8_t> Composed(std::vector<uint8_t> bgra, const std::vector<uint8_t>& profile = {})
{
    SrgbConversion colours;
    if (colours.Prepare(profile.data(), profile.size(), PixelLayout::Bgra32))
        colours.Convert(bgra.data(), bgra.data(), bgra.size() / 4);
    std::vector<uint8_t> bgr(bgra.size() / 4 * 3);
    ComposeBgraRow(bgra.data(), bgr.data(), static_cast<int>(bgra.size() / 4));
    return bgr;
}

// libwebp's own reading of a file, as blue, green, red, alpha rows.
std::vector<uint8_t> LibwebpPixels(const std::vector<uint8_t>& file)
{
    int width = 0, height = 0;
    uint8_t* bgra = WebPDecodeBGRA(file.data(), file.size(), &width, &height);
    std::vector<uint8_t> pixels(bgra, bgra + (bgra ? static_cast<size_t>(width) * height * 4 : 0));
    WebPFree(bgra);
    return pixels;
}

// Stored w x h rows (blue, green, red, top first) turned upright.
std::vector<uint8_t> Upright(const std::vector<uint8_t>& bgr, int w, int h, int orientation)
{
    std::vector<uint8_t> turned(bgr.size());
    for (int i = 0; i < w * h; ++i) {
        int x = i % w, y = i / w;
        UprightPlace(orientation, w, h, x, y);
        std::copy_n(&bgr[i * 3], 3, &turned[(y * UprightWidth(orientation, w, h) + x) * 3]);
    }
    return turned;
}

// Every pixel of the picture against blue, green, red rows (top first).
std::string Mismatch(const CImageObject& picture, const std::vector<uint8_t>& bgr, int w, int h)
{
    if (picture.GetWidth() != w || picture.GetHeight() != h || picture.GetBitCount() != 24)
        return "size " + std::to_string(picture.GetWidth()) + " x " + std::to_string(picture.GetHeight());
    for (int i = 0; i < w * h; ++i) {
        uint8_t r = 0, g = 0, b = 0;
        picture.GetPixelColor(i % w, h - 1 - i / w, r, g, b);
        if (b != bgr[i * 3] || g != bgr[i * 3 + 1] || r != bgr[i * 3 + 2])
            return "pixel " + std::to_string(i % w) + "," + std::to_string(i / w);
    }
    return "";
}

struct Case {
    std::string name;
    ImageFileType type;
    std::vector<uint8_t> file;
    std::vector<uint8_t> expected; // blue, green, red rows, top first
    int width, height;
};

std::vector<Case> Cases()
{
    const int w = 37, h = 23;
    const std::vector<uint8_t> opaque = Samples(w, h, false), translucent = Samples(w, h, true);
    const std::vector<uint8_t> adobe = MakeProfile(TestProfile::AdobeRgb);
    std::vector<Case> cases;
    const auto webp = [&](const std::string& name, const std::vector<uint8_t>& file,
                          const std::vector<uint8_t>& profile, int orientation) {
        const std::vector<uint8_t> stored = Composed(LibwebpPixels(file), profile);
        cases.push_back({name, WEBP, file, Upright(stored, w, h, orientation), UprightWidth(orientation, w, h),
                         UprightHeight(orientation, w, h)});
    };
    webp("lossless", WebpFile(opaque, w, h, -1), {}, 1);
    webp("lossy", WebpFile(opaque, w, h, 60), {}, 1);
    webp("lossless alpha", WebpFile(translucent, w, h, -1), {}, 1);
    webp("lossy alpha", WebpFile(translucent, w, h, 80), {}, 1);
    webp("turned", Extended(WebpFile(opaque, w, h, -1), w, h, false, {}, ExifBlock(6)), {}, 6);
    webp("profile", Extended(WebpFile(opaque, w, h, 70), w, h, false, adobe, {}), adobe, 1);
    webp("profile alpha", Extended(WebpFile(translucent, w, h, -1), w, h, true, adobe, {}), adobe, 1);
    // TIFF: samples red, green, blue, stored 3 x 2.
    std::vector<uint8_t> rgb, bgr;
    for (int i = 0; i < 6; ++i) {
        const uint8_t s[3] = {static_cast<uint8_t>(20 + i * 30), static_cast<uint8_t>(27 + i * 30),
                              static_cast<uint8_t>(34 + i * 30)};
        rgb.insert(rgb.end(), s, s + 3);
        bgr.insert(bgr.end(), {s[2], s[1], s[0]});
    }
    for (int orientation = 1; orientation <= 8; ++orientation)
        cases.push_back({"tiff " + std::to_string(orientation), WIC, TiffFile(3, 2, 3, orientation, rgb),
                         Upright(bgr, 3, 2, orientation), UprightWidth(orientation, 3, 2),
                         UprightHeight(orientation, 3, 2)});
    const std::vector<uint8_t> rgba = {200, 100, 50, 255, 200, 100, 50, 128, 200, 100, 50, 0};
    cases.push_back({"tiff alpha", WIC, TiffFile(3, 1, 4, 1, rgba),
                     Composed({50, 100, 200, 255, 50, 100, 200, 128, 50, 100, 200, 0}), 3, 1});
    return cases;
}

// What dwebp wrote (red, green, blue, alpha PAM) as our reader must show
// it: turned into sRGB by the ICCP chunk, composed, turned upright.
std::string WebpReferenceMismatch(const CImageObject& ours, const std::vector<uint8_t>& file,
                                  const std::vector<uint8_t>& pam)
{
    int w = 0, h = 0;
    const std::string header(pam.begin(), pam.begin() + std::min<size_t>(pam.size(), 100));
    const size_t end = header.find("ENDHDR\n");
    if (end == std::string::npos || std::sscanf(header.c_str(), "P7 WIDTH %d HEIGHT %d", &w, &h) != 2 ||
        pam.size() - end - 7 != static_cast<size_t>(w) * h * 4)
        return "unreadable reference";
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
    return Mismatch(ours, Upright(Composed(bgra, profile), w, h, orientation), UprightWidth(orientation, w, h),
                    UprightHeight(orientation, w, h));
}

// What heif-convert wrote, against our picture: "" when identical, "near"
// when no colour is more than one level off (Debian's libde265, built for
// 64 bits, rounds a few HEVC pixels otherwise than the same source built for
// the program: the cross-built heif-convert.exe gives ours exactly).
std::string HeifReferenceMismatch(const CImageObject& ours, const CImageObject& png)
{
    if (ours.GetWidth() != png.GetWidth() || ours.GetHeight() != png.GetHeight() || ours.GetWidth() <= 0)
        return "size " + std::to_string(ours.GetWidth()) + " x " + std::to_string(ours.GetHeight());
    int most = 0;
    for (int i = 0; i < ours.GetWidth() * ours.GetHeight(); ++i) {
        uint8_t a[3] = {}, b[3] = {};
        ours.GetPixelColor(i % ours.GetWidth(), i / ours.GetWidth(), a[0], a[1], a[2]);
        png.GetPixelColor(i % ours.GetWidth(), i / ours.GetWidth(), b[0], b[1], b[2]);
        for (int c = 0; c < 3; ++c)
            most = std::max(most, std::abs(a[c] - b[c]));
    }
    return most == 0 ? "" : most == 1 ? "near" : "off by " + std::to_string(most);
}

} // namespace

TEST(ModernFormats, EachPictureGivesItsPixelsAndEachCutOrBadFileNone)
{
    TempFolder folder;
    for (const Case& test : Cases()) {
        SCOPED_TRACE(test.name);
        const std::string path = folder.File(test.type == WIC ? "a.tif" : "a.webp");
        WriteFileBytes(path, test.file);
        EXPECT_EQ(Mismatch(CImageObject(path, test.type), test.expected, test.width, test.height), "");
        // Cut anywhere, a file gives no picture, never a part of one.
        for (size_t cut : {size_t{4}, size_t{30}, test.file.size() / 2, test.file.size() - 1}) {
            WriteFileBytes(path, std::vector<uint8_t>(test.file.begin(), test.file.begin() + cut));
            EXPECT_EQ(CImageObject(path, test.type).GetWidth(), 0) << cut;
        }
    }
    // Beyond the size rule as declared (the pixels are tiny), and garbage.
    const std::vector<uint8_t> small = WebpFile(Samples(3, 2, false), 3, 2, -1);
    const Case bad[] = {{"huge webp", WEBP, Extended(small, 40000, 40000, false, {}, ExifBlock(1)), {}, 0, 0},
                        {"huge tiff", WIC, TiffFile(40000, 2, 3, 1, std::vector<uint8_t>(48, 90)), {}, 0, 0},
                        {"garbage tiff", WIC, std::vector<uint8_t>(300, 0xA5), {}, 0, 0}};
    for (const Case& test : bad) {
        WriteFileBytes(folder.File("bad.tif"), test.file);
        EXPECT_EQ(CImageObject(folder.File("bad.tif"), test.type).GetWidth(), 0) << test.name;
    }
    const std::vector<std::string> noted = MissingDecoders();
    EXPECT_TRUE(std::find(noted.begin(), noted.end(), "TIFF") == noted.end()) << "a bad file is no missing decoder";
}

TEST(ModernFormats, AFormatWithoutADecoderIsNotedAndTheSystemsOthersAreListed)
{
    TempFolder folder;
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
    int files = 0, referenced = 0, same = 0, offByOne = 0, oursOnly = 0, cuts = 0;
    do {
        const std::string name = found.cFileName;
        const std::string path = std::string(corpus) + "\\files\\" + name;
        const int type = ImageTypeForPictureFile(path);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || (type != WEBP && type != HEIF && type != AVIF))
            continue;
        SCOPED_TRACE(name);
        ++files;
        const std::vector<uint8_t> file = ReadFileBytes(path);
        const CImageObject ours(path, type);
        const std::string reference = std::string(corpus) + "\\reference\\" + name;
        const std::vector<uint8_t> pam = ReadFileBytes(reference + ".pam");
        const CImageObject png(reference + ".png", PNG);
        if (type != WEBP && !HeifLibrary::Get().Loaded()) {
            EXPECT_EQ(ours.GetWidth(), 0) << "no libheif.dll, no picture";
        } else if (!pam.empty() || png.GetWidth() > 0) {
            ++referenced;
            const std::string mismatch =
                type == WEBP ? WebpReferenceMismatch(ours, file, pam) : HeifReferenceMismatch(ours, png);
            EXPECT_TRUE(mismatch.empty() || (mismatch == "near" && type == HEIF)) << mismatch;
            offByOne += mismatch == "near";
            same += mismatch.empty();
        } else {
            oursOnly += ours.GetWidth() > 0; // the tool refused it
        }
        for (size_t cut : {file.size() / 4, file.size() / 2, file.size() * 3 / 4, file.size() - 1}) {
            WriteFileBytes(folder.File("cut" + name.substr(name.rfind('.'))),
                           std::vector<uint8_t>(file.begin(), file.begin() + cut));
            cuts += CImageObject(folder.File("cut" + name.substr(name.rfind('.'))), type).GetWidth() >= 0;
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
    std::printf("%d files, %d with a reference picture, %d of them identical, %d one level off at most; %d read by us "
                "alone; %d cut files read "
                "without a crash\n",
                files, referenced, same, offByOne, oursOnly, cuts);
    EXPECT_GT(files, 0);
}
