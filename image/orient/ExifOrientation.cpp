#include "image/orient/ExifOrientation.h"

#include <cstring>

namespace {

constexpr uint16_t kOrientationTag = 274;
constexpr uint16_t kShortType = 3;
constexpr uint16_t kLongType = 4;
constexpr size_t kEntryBytes = 12;

// Reads the TIFF structure's numbers in its own byte order, never past its end.
class TiffBytes {
  public:
    TiffBytes(const uint8_t* data, size_t size, bool bigEndian) : data(data), size(size), bigEndian(bigEndian) {}

    bool Fits(uint64_t offset, uint64_t bytes) const { return offset <= size && bytes <= size - offset; }
    uint16_t Short(size_t offset) const
    {
        return bigEndian ? static_cast<uint16_t>(data[offset] << 8 | data[offset + 1])
                         : static_cast<uint16_t>(data[offset + 1] << 8 | data[offset]);
    }
    uint32_t Long(size_t offset) const
    {
        const uint32_t high = Short(bigEndian ? offset : offset + 2);
        const uint32_t low = Short(bigEndian ? offset + 2 : offset);
        return high << 16 | low;
    }

  private:
    const uint8_t* data;
    size_t size;
    bool bigEndian;
};

int ValueOrStored(uint32_t value)
{
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
}

} // namespace

int OrientationFromExif(const uint8_t* data, size_t size)
{
    if (!data)
        return 1;
    if (size >= 6 && std::memcmp(data, "Exif\0\0", 6) == 0) {
        data += 6;
        size -= 6;
    }
    if (size < 8)
        return 1;
    bool bigEndian = false;
    if (std::memcmp(data, "MM\0*", 4) == 0)
        bigEndian = true;
    else if (std::memcmp(data, "II*\0", 4) != 0)
        return 1;
    const TiffBytes tiff(data, size, bigEndian);
    const uint32_t directory = tiff.Long(4);
    if (directory < 8 || !tiff.Fits(directory, 2))
        return 1;
    const uint32_t declared = tiff.Short(directory);
    // Entries past the block's end are not there, whatever the count says.
    const uint64_t available = (size - directory - 2) / kEntryBytes;
    const uint64_t entries = declared < available ? declared : available;
    for (uint64_t i = 0; i < entries; ++i) {
        const size_t entry = directory + 2 + static_cast<size_t>(i) * kEntryBytes;
        if (tiff.Short(entry) != kOrientationTag)
            continue;
        const uint16_t type = tiff.Short(entry + 2);
        if (tiff.Long(entry + 4) != 1)
            return 1;
        // A value that fits in four bytes is held in the entry itself.
        if (type == kShortType)
            return ValueOrStored(tiff.Short(entry + 8));
        if (type == kLongType)
            return ValueOrStored(tiff.Long(entry + 8));
        return 1;
    }
    return 1;
}
