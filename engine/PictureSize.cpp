#include "engine/PictureSize.h"

#include "image/DeclaredSize.h"
#include "image/ImageFileType.h"
#include "image/orient/ExifOrientation.h"
#include "image/orient/Orientation.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

// JPEG headers: the markers before the frame, where the EXIF block sits.
constexpr DWORD kJpegHeaderBytes = 128 * 1024;

struct JpegHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int orientation = 1;
};

// Walks the markers of the first bytes of a JPEG to its frame header.
JpegHeader ParseJpegHeader(const std::vector<std::uint8_t>& bytes)
{
    JpegHeader header;
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        return header;
    for (std::size_t at = 2; at + 4 <= bytes.size();) {
        if (bytes[at] != 0xFF)
            return header;
        const std::uint8_t marker = bytes[at + 1];
        if (marker == 0xFF) {
            ++at; // fill byte
            continue;
        }
        const std::size_t length = (bytes[at + 2] << 8) | bytes[at + 3];
        if (length < 2)
            return header;
        const std::size_t body = at + 4;
        const std::size_t bodySize = length - 2;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (body + 5 > bytes.size())
                return header;
            header.height = (bytes[body + 1] << 8) | bytes[body + 2];
            header.width = (bytes[body + 3] << 8) | bytes[body + 4];
            return header;
        }
        if (marker == 0xE1 && bodySize > 6 && body + bodySize <= bytes.size() &&
            std::equal(bytes.begin() + body, bytes.begin() + body + 6, "Exif\0\0"))
            header.orientation = OrientationFromExif(bytes.data() + body + 6, bodySize - 6);
        at = body + bodySize;
    }
    return header;
}

std::vector<std::uint8_t> FirstBytes(const std::string& path, DWORD count)
{
    std::vector<std::uint8_t> bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(count);
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), count, &read, nullptr))
        read = 0;
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

std::uint32_t Side(int64_t side)
{
    return side > 0 && side <= std::numeric_limits<std::uint32_t>::max() ? static_cast<std::uint32_t>(side) : 0;
}

} // namespace

void ReadPictureSize(CataloguedPicture& picture)
{
    picture.sizeRead = true;
    picture.width = picture.height = 0;
    const int type = ImageTypeForPictureFile(picture.path);
    if (type == JPG) {
        const JpegHeader header = ParseJpegHeader(FirstBytes(picture.path, kJpegHeaderBytes));
        const bool swap = OrientationSwapsSides(header.orientation);
        picture.width = swap ? header.height : header.width;
        picture.height = swap ? header.width : header.height;
        return;
    }
    if (const auto size = DeclaredPictureSize(picture.path, type)) {
        picture.width = Side(size->first);
        picture.height = Side(size->second);
    }
}
