#include "image/DeclaredSize.h"

#include "image/ImageFileType.h"
#include "image/io/StdioFile.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using Size = std::pair<int64_t, int64_t>;

// Enough for every header below: the PNG's IHDR ends at 24, the BMP's
// width and height at 26, the WebP's frame header at 30.
constexpr std::size_t kHeaderBytes = 30;

// A HEIF file's item properties sit in its `meta` box, near the start.
constexpr std::size_t kHeifHeadBytes = 64 * 1024;

uint32_t Le(const uint8_t* at, int bytes)
{
    uint32_t value = 0;
    for (int byte = bytes - 1; byte >= 0; --byte)
        value = (value << 8) | at[byte];
    return value;
}

uint32_t Be32(const uint8_t* at)
{
    return (uint32_t{at[0]} << 24) | (uint32_t{at[1]} << 16) | (uint32_t{at[2]} << 8) | at[3];
}

std::optional<Size> BmpSize(const uint8_t* header, std::size_t length)
{
    if (length < kHeaderBytes || header[0] != 'B' || header[1] != 'M')
        return std::nullopt;
    // The OS/2 1.x core header holds 16-bit sizes; every later one 32-bit,
    // the height negative for a picture stored top-down.
    if (Le(header + 14, 4) == 12)
        return Size{Le(header + 18, 2), Le(header + 20, 2)};
    const auto height = static_cast<int32_t>(Le(header + 22, 4));
    return Size{static_cast<int32_t>(Le(header + 18, 4)), std::llabs(int64_t{height})};
}

std::optional<Size> PngSize(const uint8_t* header, std::size_t length)
{
    static const uint8_t kStart[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    if (length < 24 || std::memcmp(header, kStart, sizeof kStart) != 0)
        return std::nullopt;
    return Size{Be32(header + 16), Be32(header + 20)};
}

std::optional<Size> GifSize(const uint8_t* header, std::size_t length)
{
    if (length < 10 || std::memcmp(header, "GIF8", 4) != 0)
        return std::nullopt;
    return Size{Le(header + 6, 2), Le(header + 8, 2)};
}

uint32_t Le24(const uint8_t* at)
{
    return Le(at, 3);
}

std::optional<Size> WebpSize(const uint8_t* header, std::size_t length)
{
    if (length < 30 || std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WEBP", 4) != 0)
        return std::nullopt;
    const uint8_t* chunk = header + 12;
    const uint8_t* data = header + 20;
    if (std::memcmp(chunk, "VP8 ", 4) == 0 && data[3] == 0x9D && data[4] == 0x01 && data[5] == 0x2A)
        return Size{Le(data + 6, 2) & 0x3FFF, Le(data + 8, 2) & 0x3FFF}; // lossy: 14 bits each
    if (std::memcmp(chunk, "VP8L", 4) == 0 && data[0] == 0x2F) {
        const uint32_t bits = Le(data + 1, 4); // lossless: 14 bits each, less one
        return Size{(bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1};
    }
    if (std::memcmp(chunk, "VP8X", 4) == 0)
        return Size{int64_t{Le24(data + 4)} + 1, int64_t{Le24(data + 7)} + 1}; // the canvas, less one
    return std::nullopt;
}

// The boxes of an ISO media file between `at` and `end`, each given to
// `visit` with its type and contents; false once one is cut short.
template <typename Visit> bool ForEachBox(const uint8_t* at, const uint8_t* end, Visit visit)
{
    while (end - at >= 8) {
        uint64_t size = Be32(at);
        std::size_t header = 8;
        if (size == 1) {
            if (end - at < 16)
                return false;
            size = (uint64_t{Be32(at + 8)} << 32) | Be32(at + 12);
            header = 16;
        } else if (size == 0) {
            size = static_cast<uint64_t>(end - at); // to the end of the file
        }
        if (size < header)
            return false;
        const bool whole = size <= static_cast<uint64_t>(end - at);
        const uint8_t* next = whole ? at + size : end;
        visit(at + 4, at + header, next);
        if (!whole)
            return false;
        at = next;
    }
    return true;
}

// HEIF and AVIF: the largest image extent (`ispe`) among the item
// properties, which is the primary picture's (thumbnails and grid tiles
// are smaller).
std::optional<Size> HeifSize(const uint8_t* head, std::size_t length)
{
    if (length < 12 || std::memcmp(head + 4, "ftyp", 4) != 0)
        return std::nullopt;
    std::optional<Size> largest;
    const auto inside = [](const uint8_t* type, const char* name) { return std::memcmp(type, name, 4) == 0; };
    ForEachBox(head, head + length, [&](const uint8_t* type, const uint8_t* body, const uint8_t* end) {
        if (!inside(type, "meta") || end - body < 4)
            return;
        ForEachBox(body + 4, end, [&](const uint8_t* type, const uint8_t* body, const uint8_t* end) {
            if (!inside(type, "iprp"))
                return;
            ForEachBox(body, end, [&](const uint8_t* type, const uint8_t* body, const uint8_t* end) {
                if (!inside(type, "ipco"))
                    return;
                ForEachBox(body, end, [&](const uint8_t* type, const uint8_t* body, const uint8_t* end) {
                    if (!inside(type, "ispe") || end - body < 12)
                        return;
                    const Size size{Be32(body + 4), Be32(body + 8)};
                    if (!largest || size.first * size.second > largest->first * largest->second)
                        largest = size;
                });
            });
        });
    });
    return largest;
}

} // namespace

std::optional<Size> DeclaredPictureSize(const std::string& path, int type)
{
    const StdioFile file = OpenStdioFile(path, "rb");
    if (!file)
        return std::nullopt;
    if (type == HEIF || type == AVIF) {
        std::vector<uint8_t> head(kHeifHeadBytes);
        return HeifSize(head.data(), std::fread(head.data(), 1, head.size(), file.get()));
    }
    uint8_t header[kHeaderBytes] = {};
    const std::size_t length = std::fread(header, 1, sizeof header, file.get());
    switch (type) {
    case BMP:
        return BmpSize(header, length);
    case PNG:
        return PngSize(header, length);
    case GIF:
        return GifSize(header, length);
    case WEBP:
        return WebpSize(header, length);
    }
    return std::nullopt;
}
