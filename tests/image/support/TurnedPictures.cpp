#include "tests/image/support/TurnedPictures.h"

#include "image/ImageObject.h"
#include "tests/image/support/LibraryWriters.h"

#include <algorithm>
#include <cstdlib>

#include <lcms2.h>

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
    // One entry: orientation (274), one short, then no further directory.
    const uint8_t value = static_cast<uint8_t>(orientation);
    if (bigEndian)
        return {'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1, 1, 18, 0, 3, 0, 0, 0, 1, 0, value, 0, 0, 0, 0, 0, 0};
    return {'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 18, 1, 3, 0, 1, 0, 0, 0, value, 0, 0, 0, 0, 0, 0, 0};
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
        JpegSegments segments{{'E', 'x', 'i', 'f', 0, 0}, profile};
        segments.app1.insert(segments.app1.end(), block.begin(), block.end());
        return WriteTestJpeg(path, width, height, grey ? 1 : 3, samples, 95, JpegLayout(), segments);
    }
    PngContents png;
    png.width = width;
    png.height = height;
    png.exif = block;
    png.profile = profile;
    if (kind == TurnedKind::PngFourBit) {
        png.colorType = 3;
        png.bitDepth = 4;
        png.palette.assign(&kColours[0][0], &kColours[0][0] + 12);
        for (size_t i = 0; i < samples.size(); i += 2)
            png.rows.push_back(static_cast<uint8_t>(samples[i] | samples[i + 1]));
    } else {
        png.rows = samples;
    }
    return WriteTestPng(path, png);
}

bool IsUpright(const CImageObject& picture, TurnedKind kind, int width, const std::vector<uint8_t>& profile,
               int tolerance)
{
    bool upright = picture.GetWidth() == width && picture.GetHeight() == width / 2;
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
    }
    return upright;
}

bool SameColours(const CImageObject& a, const CImageObject& b)
{
    bool same = a.GetWidth() == b.GetWidth() && a.GetHeight() == b.GetHeight() && a.GetWidth() > 0;
    for (int i = 0; same && i < a.GetWidth() * a.GetHeight(); ++i) {
        uint8_t first[3] = {}, second[3] = {};
        a.GetPixelColor(i % a.GetWidth(), i / a.GetWidth(), first[0], first[1], first[2]);
        b.GetPixelColor(i % a.GetWidth(), i / a.GetWidth(), second[0], second[1], second[2]);
        same = std::equal(first, first + 3, second);
    }
    return same;
}
