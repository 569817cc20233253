#include "image/DeclaredSize.h"

#include "image/ImageFileType.h"
#include "image/io/StdioFile.h"

#include <cstdlib>
#include <cstring>

namespace {

using Size = std::pair<int64_t, int64_t>;

// Enough for every header below: the PNG's IHDR ends at 24, the BMP's
// width and height at 26.
constexpr std::size_t kHeaderBytes = 26;

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

} // namespace

std::optional<Size> DeclaredPictureSize(const std::string& path, int type)
{
    const StdioFile file = OpenStdioFile(path, "rb");
    if (!file)
        return std::nullopt;
    uint8_t header[kHeaderBytes] = {};
    const std::size_t length = std::fread(header, 1, sizeof header, file.get());
    switch (type) {
    case BMP:
        return BmpSize(header, length);
    case PNG:
        return PngSize(header, length);
    case GIF:
        return GifSize(header, length);
    }
    return std::nullopt;
}
