#include "TurnedJpeg.h"

#include "common/BmpFile.h"
#include "common/Pairing.h"
#include "image/ImageObject.h"
#include "image/jpeg/JpegFullColour.h"

#include <cstdio>
#include <cstring>

#include <lcms2.h>

namespace {

// A JPEG marker segment: FF, marker, length, prefix, data.
std::vector<uint8_t> Segment(uint8_t marker, const char* prefix, size_t prefixSize, const std::vector<uint8_t>& data)
{
    const size_t length = 2 + prefixSize + data.size();
    std::vector<uint8_t> segment(2 + length);
    segment[0] = 0xFF;
    segment[1] = marker;
    segment[2] = static_cast<uint8_t>(length >> 8);
    segment[3] = static_cast<uint8_t>(length);
    std::memcpy(segment.data() + 4, prefix, prefixSize);
    std::memcpy(segment.data() + 4 + prefixSize, data.data(), data.size());
    return segment;
}

bool WriteTurnedCopy(const std::string& from, const std::string& to)
{
    std::vector<uint8_t> bytes = ReadWholeFile(from);
    if (bytes.size() < 4)
        return false;
    // One directory entry: orientation (274), a short, 6.
    const std::vector<uint8_t> exif = {'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1, 1, 18, 0,
                                       3,   0,   0, 0,  1, 0, 6, 0, 0, 0, 0, 0,  0};
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(srgb, nullptr, &size);
    std::vector<uint8_t> profile(size);
    cmsSaveProfileToMem(srgb, profile.data(), &size);
    cmsCloseProfile(srgb);
    std::vector<uint8_t> segments = Segment(0xE1, "Exif\0\0", 6, exif);
    const std::vector<uint8_t> icc = Segment(0xE2, "ICC_PROFILE\0\1\1", 14, profile);
    segments.insert(segments.end(), icc.begin(), icc.end());
    bytes.insert(bytes.begin() + 2, segments.begin(), segments.end());
    FILE* file = std::fopen(to.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// Orientation 6 turns a quarter clockwise: the stored row y becomes the
// column width - 1 - y, top down.
std::string CompareTurned(const CImageObject& turned, const CImageObject& upright)
{
    if (turned.GetWidth() != upright.GetHeight() || turned.GetHeight() != upright.GetWidth())
        return "the turned picture is not the upright one's size turned";
    if (turned.GetBitCount() != 24)
        return "";
    const int height = upright.GetHeight();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < upright.GetWidth(); ++x) {
            // Both DIBs are bottom-up: line y from the top is array row height - 1 - y.
            const uint8_t* stored =
                upright.GetBits() + static_cast<size_t>(height - 1 - y) * upright.GetRowStride() + x * 3;
            const uint8_t* shown = turned.GetBits() +
                                   static_cast<size_t>(turned.GetHeight() - 1 - x) * turned.GetRowStride() +
                                   static_cast<size_t>(height - 1 - y) * 3;
            if (std::memcmp(stored, shown, 3) != 0)
                return "pixel " + std::to_string(x) + "," + std::to_string(y) + " went elsewhere";
        }
    }
    return "";
}

} // namespace

bool TurnedAgainstUprightJpeg(const std::string& inputs, const std::string& work, int runs)
{
    const std::string upright = inputs + "\\photo.jpg";
    const std::string turned = work + "\\photo-turned.jpg";
    if (!WriteTurnedCopy(upright, turned)) {
        std::printf("turned JPEG: cannot write %s\n", turned.c_str());
        return false;
    }
    bool equal = true;
    for (const bool fullColour : {false, true}) {
        auto convert = [&](const std::string& in, const char* out) {
            auto picture = std::make_unique<CImageObject>();
            if (fullColour ? !LoadJpegFullColour(in, *picture) : !picture->Load(in, JPG))
                return std::unique_ptr<CImageObject>();
            picture->Save(work + out, -1);
            return picture;
        };
        auto timed = RunInterleaved(
            runs, [&] { return convert(turned, "\\turned.bmp"); }, [&] { return convert(upright, "\\upright.bmp"); });
        PairingReport report{fullColour ? "turned+sRGB JPEG, full colour" : "turned+sRGB JPEG vs plain", timed.timing,
                             1.05};
        if (!timed.oursOutput || !timed.peerOutput)
            report.fault = "a conversion failed";
        else
            report.fault = CompareTurned(*timed.oursOutput, *timed.peerOutput);
        if (report.fault.empty() && !fullColour &&
            ReadWholeFile(work + "\\turned.bmp").size() != ReadWholeFile(work + "\\upright.bmp").size())
            report.fault = "the BMP files differ in size";
        equal = PrintPairing(report) && equal;
    }
    return equal;
}
