#include "tests/image/support/TurnedPictures.h"

#include "image/ImageObject.h"
#include "tests/image/support/FileBytes.h"
#include "tests/image/support/LibraryWriters.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include <lcms2.h>
#include <zlib.h>

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 32;

// Upright top left, top right, bottom left, bottom right.
constexpr uint8_t kColours[4][3] = {{230, 30, 30}, {30, 200, 30}, {30, 30, 230}, {240, 240, 240}};
constexpr uint8_t kGreys[4] = {20, 90, 160, 235};

// Which upright quadrant each orientation stores at its top left, top
// right, bottom left and bottom right, as the EXIF standard describes them
// (row 0 and column 0 are the picture's top and left, right and top, ...).
constexpr int kStoredQuadrants[9][4] = {{0, 1, 2, 3}, {0, 1, 2, 3}, {1, 0, 3, 2}, {3, 2, 1, 0}, {2, 3, 0, 1},
                                        {0, 2, 1, 3}, {1, 3, 0, 2}, {3, 1, 2, 0}, {2, 0, 3, 1}};

void Put(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int size, bool bigEndian)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * (bigEndian ? size - 1 - i : i)));
}

uint32_t Crc(const uint8_t* data, size_t size)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return ~crc;
}

// A JPEG segment after SOI and a JFIF APP0; a PNG chunk after IHDR.
std::vector<uint8_t> WithSegment(std::vector<uint8_t> file, bool png, const char* name, std::vector<uint8_t> data)
{
    std::vector<uint8_t> segment(png ? 8 : 4);
    segment.insert(segment.end(), data.begin(), data.end());
    size_t at = 33;
    if (png) {
        Put(segment, 0, static_cast<uint32_t>(data.size()), 4, true);
        std::copy_n(name, 4, segment.begin() + 4);
        segment.resize(segment.size() + 4);
        Put(segment, segment.size() - 4, Crc(segment.data() + 4, data.size() + 4), 4, true);
    } else {
        segment[0] = 0xFF, segment[1] = static_cast<uint8_t>(name[0]);
        Put(segment, 2, static_cast<uint32_t>(segment.size() - 2), 2, true);
        at = file[3] == 0xE0 ? 4u + (file[4] << 8 | file[5]) : 2u;
    }
    file.insert(file.begin() + static_cast<ptrdiff_t>(at), segment.begin(), segment.end());
    return file;
}

std::vector<uint8_t> Prefixed(const char* prefix, size_t size, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> prefixed(prefix, prefix + size);
    prefixed.insert(prefixed.end(), data.begin(), data.end());
    return prefixed;
}

std::vector<uint8_t> WithProfile(std::vector<uint8_t> file, bool png, const std::vector<uint8_t>& profile)
{
    if (!png)
        return WithSegment(std::move(file), false, "\xE2", Prefixed("ICC_PROFILE\0\1\1", 14, profile));
    uLongf size = compressBound(static_cast<uLong>(profile.size()));
    std::vector<uint8_t> packed(size);
    compress(packed.data(), &size, profile.data(), static_cast<uLong>(profile.size()));
    packed.resize(size);
    return WithSegment(std::move(file), true, "iCCP", Prefixed("icc\0\0", 5, packed));
}

// What Little CMS makes of colour in sRGB, perceptual intent.
void ToSrgb(const std::vector<uint8_t>& profile, uint8_t colour[3])
{
    cmsHPROFILE from = cmsOpenProfileFromMem(profile.data(), static_cast<cmsUInt32Number>(profile.size()));
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM transform = cmsCreateTransform(from, TYPE_RGB_8, srgb, TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
    cmsDoTransform(transform, colour, colour, 1);
    cmsDeleteTransform(transform);
    cmsCloseProfile(srgb);
    cmsCloseProfile(from);
}

} // namespace

std::vector<uint8_t> MakeProfile(TestProfile which)
{
    const cmsCIExyY d65 = {0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE adobe = {{0.64, 0.33, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}};
    const cmsCIExyYTRIPLE p3 = {{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    const cmsFloat64Number srgbCurve[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    cmsToneCurve* curve = which == TestProfile::AdobeRgb ? cmsBuildGamma(nullptr, 563.0 / 256)
                                                         : cmsBuildParametricToneCurve(nullptr, 4, srgbCurve);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = which == TestProfile::Srgb
                              ? cmsCreate_sRGBProfile()
                              : cmsCreateRGBProfile(&d65, which == TestProfile::AdobeRgb ? &adobe : &p3, curves);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::vector<uint8_t> bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    cmsFreeToneCurve(curve);
    return bytes;
}

std::vector<uint8_t> ExifBlock(int orientation, bool bigEndian)
{
    std::vector<uint8_t> block(26);
    block[0] = block[1] = bigEndian ? 'M' : 'I';
    Put(block, 2, 42, 2, bigEndian);
    Put(block, 4, 8, 4, bigEndian);
    Put(block, 8, 1, 2, bigEndian);    // one entry
    Put(block, 10, 274, 2, bigEndian); // orientation
    Put(block, 12, 3, 2, bigEndian);   // a short
    Put(block, 14, 1, 4, bigEndian);   // one of them
    Put(block, 18, static_cast<uint32_t>(orientation), 2, bigEndian);
    return block;
}

bool WriteTurnedPicture(const std::string& path, TurnedKind kind, int orientation, const std::vector<uint8_t>& block,
                        const std::vector<uint8_t>& profile)
{
    const bool swaps = orientation >= 5;
    const int width = swaps ? kHeight : kWidth;
    const int height = swaps ? kWidth : kHeight;
    const bool grey = kind == TurnedKind::JpegGrey;
    std::vector<uint8_t> samples;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int quadrant = kStoredQuadrants[orientation][(y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1)];
            if (grey)
                samples.push_back(kGreys[quadrant]);
            else if (kind == TurnedKind::PngFourBit)
                samples.push_back(static_cast<uint8_t>(x % 2 ? quadrant : quadrant << 4)); // packed below
            else
                samples.insert(samples.end(), kColours[quadrant], kColours[quadrant] + 3);
        }
    }
    if (kind == TurnedKind::JpegColour || grey) {
        if (!WriteTestJpeg(path, width, height, grey ? 1 : 3, samples))
            return false;
    } else {
        PngContents png;
        png.width = width;
        png.height = height;
        if (kind == TurnedKind::PngFourBit) {
            png.colorType = 3;
            png.bitDepth = 4;
            png.palette.assign(&kColours[0][0], &kColours[0][0] + 12);
            for (size_t i = 0; i < samples.size(); i += 2)
                png.rows.push_back(static_cast<uint8_t>(samples[i] | samples[i + 1]));
        } else {
            png.rows = samples;
        }
        if (!WriteTestPng(path, png))
            return false;
    }
    const bool png = kind >= TurnedKind::PngColour;
    std::vector<uint8_t> file = ReadFileBytes(path);
    if (!profile.empty())
        file = WithProfile(std::move(file), png, profile);
    file = png ? WithSegment(std::move(file), true, "eXIf", block)
               : WithSegment(std::move(file), false, "\xE1", Prefixed("Exif\0\0", 6, block));
    WriteFileBytes(path, file);
    return true;
}

std::string UprightMismatch(const CImageObject& picture, TurnedKind kind, int width,
                            const std::vector<uint8_t>& profile, int tolerance)
{
    std::ostringstream seen;
    if (picture.GetWidth() != width || picture.GetHeight() != width / 2)
        seen << picture.GetWidth() << " x " << picture.GetHeight() << "; ";
    bool upright = seen.str().empty();
    for (int quadrant = 0; quadrant < 4 && upright; ++quadrant) {
        uint8_t rgb[3] = {};
        const int x = picture.GetWidth() * (quadrant % 2 ? 3 : 1) / 4;
        const int line = picture.GetHeight() * (quadrant / 2 ? 3 : 1) / 4;
        picture.GetPixelColor(x, picture.GetHeight() - 1 - line, rgb[0], rgb[1], rgb[2]);
        uint8_t expected[3] = {kColours[quadrant][0], kColours[quadrant][1], kColours[quadrant][2]};
        if (kind == TurnedKind::JpegGrey)
            std::fill_n(expected, 3, kGreys[quadrant]);
        if (!profile.empty())
            ToSrgb(profile, expected);
        for (int c = 0; c < 3; ++c)
            upright &= std::abs(rgb[c] - expected[c]) <= tolerance;
        seen << "quadrant " << quadrant << ": " << int(rgb[0]) << "," << int(rgb[1]) << "," << int(rgb[2]) << "; ";
    }
    return upright ? std::string() : seen.str();
}

bool SameColours(const CImageObject& a, const CImageObject& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight() || a.GetWidth() <= 0)
        return false;
    for (int y = 0; y < a.GetHeight(); ++y) {
        for (int x = 0; x < a.GetWidth(); ++x) {
            uint8_t first[3] = {}, second[3] = {};
            a.GetPixelColor(x, y, first[0], first[1], first[2]);
            b.GetPixelColor(x, y, second[0], second[1], second[2]);
            if (!std::equal(first, first + 3, second))
                return false;
        }
    }
    return true;
}

std::vector<std::vector<uint8_t>> ProfilesThatChangeNothing()
{
    const std::vector<uint8_t> adobe = MakeProfile(TestProfile::AdobeRgb);
    return {MakeProfile(TestProfile::Srgb), std::vector<uint8_t>(adobe.begin(), adobe.begin() + 200),
            std::vector<uint8_t>(300, 'x')};
}
