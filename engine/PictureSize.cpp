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

// Markers read before a JPEG's frame header is given up on: a file that
// never reaches one is not worth more reading.
constexpr int kMostJpegMarkers = 64;

struct JpegHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int orientation = 1;
};

// A file read by whole pieces at chosen places; every failure reads as
// "no more".
class HeaderFile {
  public:
    explicit HeaderFile(const std::string& path)
        : m_handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~HeaderFile()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    HeaderFile(const HeaderFile&) = delete;
    HeaderFile& operator=(const HeaderFile&) = delete;

    bool Read(std::uint8_t* bytes, DWORD count)
    {
        DWORD read = 0;
        return m_handle != INVALID_HANDLE_VALUE && ReadFile(m_handle, bytes, count, &read, nullptr) && read == count;
    }
    bool Skip(DWORD count)
    {
        LONG high = 0;
        return SetFilePointer(m_handle, static_cast<LONG>(count), &high, FILE_CURRENT) != INVALID_SET_FILE_POINTER ||
               GetLastError() == NO_ERROR;
    }

  private:
    HANDLE m_handle;
};

// Walks a JPEG's markers to its frame header, skipping every segment but
// an EXIF block, so only a few kilobytes of a large photo are read.
JpegHeader ReadJpegHeader(const std::string& path)
{
    JpegHeader header;
    HeaderFile file(path);
    std::uint8_t start[2];
    if (!file.Read(start, 2) || start[0] != 0xFF || start[1] != 0xD8)
        return header;
    for (int markers = 0; markers < kMostJpegMarkers; ++markers) {
        std::uint8_t head[4];
        if (!file.Read(head, 4) || head[0] != 0xFF)
            return header;
        const std::uint8_t marker = head[1];
        const DWORD length = (head[2] << 8) | head[3];
        if (length < 2)
            return header;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            std::uint8_t size[5];
            if (file.Read(size, 5)) {
                header.height = (size[1] << 8) | size[2];
                header.width = (size[3] << 8) | size[4];
            }
            return header;
        }
        std::vector<std::uint8_t> body;
        if (marker == 0xE1 && length > 8) {
            body.resize(length - 2);
            if (!file.Read(body.data(), length - 2))
                return header;
            if (std::equal(body.begin(), body.begin() + 6, "Exif\0\0"))
                header.orientation = OrientationFromExif(body.data() + 6, body.size() - 6);
        } else if (!file.Skip(length - 2)) {
            return header;
        }
    }
    return header;
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
        const JpegHeader header = ReadJpegHeader(picture.path);
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
