#include "tests/image/support/TurnedPictures.h"

#include "image/ImageObject.h"
#include "tests/image/support/FileBytes.h"
#include "tests/image/support/LibraryWriters.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

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

// After SOI and a JFIF APP0; a PNG's after IHDR.
std::vector<uint8_t> WithExif(std::vector<uint8_t> file, const std::vector<uint8_t>& block, bool png)
{
    std::vector<uint8_t> segment(png ? 8 : 10);
    segment.insert(segment.end(), block.begin(), block.end());
    size_t at = 33;
    if (png) {
        Put(segment, 0, static_cast<uint32_t>(block.size()), 4, true);
        segment[4] = 'e', segment[5] = 'X', segment[6] = 'I', segment[7] = 'f';
        segment.resize(segment.size() + 4);
        Put(segment, segment.size() - 4, Crc(segment.data() + 4, block.size() + 4), 4, true);
    } else {
        segment[0] = 0xFF, segment[1] = 0xE1;
        Put(segment, 2, static_cast<uint32_t>(segment.size() - 2), 2, true);
        std::copy_n("Exif\0\0", 6, segment.begin() + 4);
        at = file[3] == 0xE0 ? 4u + (file[4] << 8 | file[5]) : 2u;
    }
    file.insert(file.begin() + static_cast<ptrdiff_t>(at), segment.begin(), segment.end());
    return file;
}

} // namespace

std::vector<uint8_t> ExifBlock(int orientation, bool bigEndian)
{
    std::vector<uint8_t> block(26);
    block[0] = block[1] = bigEndian ? 'M' : 'I';
    Put(block, 2, 42, 2, bigEndian);
    Put(block, 4, 8, 4, bigEndian);
    Put(block, 8, 1, 2, bigEndian);     // one entry
    Put(block, 10, 274, 2, bigEndian);  // orientation
    Put(block, 12, 3, 2, bigEndian);    // a short
    Put(block, 14, 1, 4, bigEndian);    // one of them
    Put(block, 18, static_cast<uint32_t>(orientation), 2, bigEndian);
    return block;
}

bool WriteTurnedPicture(const std::string& path, TurnedKind kind, int orientation, const std::vector<uint8_t>& block)
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
    WriteFileBytes(path, WithExif(ReadFileBytes(path), block, kind >= TurnedKind::PngColour));
    return true;
}

std::string UprightMismatch(const CImageObject& picture, TurnedKind kind, int width)
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
        for (int c = 0; c < 3; ++c)
            upright &= std::abs(rgb[c] - (kind == TurnedKind::JpegGrey ? kGreys[quadrant] : kColours[quadrant][c])) <= 24;
        seen << "quadrant " << quadrant << ": " << int(rgb[0]) << "," << int(rgb[1]) << "," << int(rgb[2]) << "; ";
    }
    return upright ? std::string() : seen.str();
}
