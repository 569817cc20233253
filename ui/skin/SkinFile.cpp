#include "ui/skin/SkinFile.h"

#include "image/io/ByteReader.h"
#include "image/io/LittleEndian.h"

namespace {

constexpr uint8_t kLongStringMarker = 255;
constexpr uint16_t kHugeStringMarker = 0xFFFF;
// The old string format used 0xFFFE to announce wide text; our writer never
// writes it, so a file holding it did not come from us.
constexpr uint16_t kWideStringMarker = 0xFFFE;

constexpr uint32_t kRegionHeaderSize = 32;
constexpr uint32_t kRegionTypeRectangles = 1;
constexpr uint32_t kRegionRectSize = 16;

uint32_t LoadLe32(const uint8_t* in)
{
    return in[0] | (in[1] << 8) | (in[2] << 16) | (static_cast<uint32_t>(in[3]) << 24);
}

class SkinFileReader {
  public:
    SkinFileReader(const uint8_t* data, size_t size) : reader_(data, size), data_(data) {}

    bool Failed() const { return failed_ || reader_.RanOut(); }

    uint32_t Get32() { return reader_.Get32(); }

    bool ReadString(std::string& text)
    {
        const size_t length = ReadStringLength();
        return ReadBytes(length, [&](const uint8_t* bytes) { text.assign(bytes, bytes + length); });
    }

    bool ReadRegion(size_t length, std::vector<uint8_t>& region)
    {
        return ReadBytes(length, [&](const uint8_t* bytes) {
            if (!IsValidRegionData(bytes, length)) {
                failed_ = true;
                return;
            }
            region.assign(bytes, bytes + length);
        });
    }

  private:
    size_t ReadStringLength()
    {
        const uint8_t shortLength = reader_.Get8();
        if (shortLength != kLongStringMarker)
            return shortLength;
        const uint16_t longLength = reader_.Get16();
        if (longLength == kWideStringMarker)
            failed_ = true;
        if (longLength != kHugeStringMarker)
            return longLength;
        return reader_.Get32();
    }

    // Hands `length` bytes of the input to `take` without copying them
    // first, so a length field can never make us allocate more than the
    // file holds.
    template <class Take> bool ReadBytes(size_t length, Take take)
    {
        if (Failed() || length > reader_.Remaining()) {
            failed_ = true;
            return false;
        }
        const size_t start = reader_.Position();
        reader_.Skip(length);
        take(data_ + start);
        return !Failed();
    }

    ByteReader reader_;
    const uint8_t* data_;
    bool failed_ = false;
};

class SkinFileWriter {
  public:
    void Put32(uint32_t value)
    {
        uint8_t bytes[4];
        StoreLe32(bytes, value);
        bytes_.insert(bytes_.end(), bytes, bytes + 4);
    }

    void PutBytes(const void* data, size_t size)
    {
        const auto* begin = static_cast<const uint8_t*>(data);
        bytes_.insert(bytes_.end(), begin, begin + size);
    }

    void PutString(const std::string& text)
    {
        const size_t length = text.size();
        if (length < kLongStringMarker) {
            bytes_.push_back(static_cast<uint8_t>(length));
        } else {
            bytes_.push_back(kLongStringMarker);
            if (length < kWideStringMarker) {
                Put16(static_cast<uint16_t>(length));
            } else {
                Put16(kHugeStringMarker);
                Put32(static_cast<uint32_t>(length));
            }
        }
        PutBytes(text.data(), length);
    }

    std::vector<uint8_t> Take() { return std::move(bytes_); }

  private:
    void Put16(uint16_t value)
    {
        uint8_t bytes[2];
        StoreLe16(bytes, value);
        bytes_.insert(bytes_.end(), bytes, bytes + 2);
    }

    std::vector<uint8_t> bytes_;
};

} // namespace

bool SkinFileButton::operator==(const SkinFileButton& other) const
{
    return imageNames == other.imageNames && left == other.left && top == other.top && right == other.right &&
           bottom == other.bottom && region == other.region && tooltip == other.tooltip;
}

bool SkinFile::operator==(const SkinFile& other) const
{
    return windowRegion == other.windowRegion && backgroundName == other.backgroundName && buttons == other.buttons;
}

bool IsValidRegionData(const uint8_t* data, size_t size)
{
    if (size == 0)
        return true;
    if (size < kRegionHeaderSize)
        return false;
    const uint32_t headerSize = LoadLe32(data);
    const uint32_t type = LoadLe32(data + 4);
    const uint64_t count = LoadLe32(data + 8);
    const uint64_t rectBytes = LoadLe32(data + 12);
    return headerSize == kRegionHeaderSize && type == kRegionTypeRectangles && count * kRegionRectSize == rectBytes &&
           rectBytes + kRegionHeaderSize == size;
}

bool ParseSkinFile(const uint8_t* data, size_t size, SkinFile& out)
{
    SkinFileReader reader(data, size);
    SkinFile file;

    reader.ReadRegion(reader.Get32(), file.windowRegion);
    reader.ReadString(file.backgroundName);
    const int32_t count = static_cast<int32_t>(reader.Get32());
    if (reader.Failed() || count < 0 || count > kMaxSkinButtons)
        return false;

    // Records are added as they are read, so memory follows the bytes the
    // file really holds, not its count.
    for (int32_t index = 0; index < count; ++index) {
        SkinFileButton& button = file.buttons.emplace_back();
        for (std::string& name : button.imageNames)
            reader.ReadString(name);
        button.left = static_cast<int32_t>(reader.Get32());
        button.top = static_cast<int32_t>(reader.Get32());
        button.right = static_cast<int32_t>(reader.Get32());
        button.bottom = static_cast<int32_t>(reader.Get32());
        const uint32_t regionSize = reader.Get32();
        reader.ReadString(button.tooltip);
        reader.ReadRegion(regionSize, button.region);
        if (reader.Failed())
            return false;
    }
    if (reader.Failed())
        return false;
    out = std::move(file);
    return true;
}

std::vector<uint8_t> SerializeSkinFile(const SkinFile& file)
{
    SkinFileWriter writer;
    writer.Put32(static_cast<uint32_t>(file.windowRegion.size()));
    writer.PutBytes(file.windowRegion.data(), file.windowRegion.size());
    writer.PutString(file.backgroundName);
    writer.Put32(static_cast<uint32_t>(file.buttons.size()));
    for (const SkinFileButton& button : file.buttons) {
        for (const std::string& name : button.imageNames)
            writer.PutString(name);
        writer.Put32(static_cast<uint32_t>(button.left));
        writer.Put32(static_cast<uint32_t>(button.top));
        writer.Put32(static_cast<uint32_t>(button.right));
        writer.Put32(static_cast<uint32_t>(button.bottom));
        writer.Put32(static_cast<uint32_t>(button.region.size()));
        writer.PutString(button.tooltip);
        writer.PutBytes(button.region.data(), button.region.size());
    }
    return writer.Take();
}
