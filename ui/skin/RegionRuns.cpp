#include "ui/skin/RegionRuns.h"

#include "image/io/LittleEndian.h"

#include <algorithm>

namespace {

constexpr uint32_t kColourMask = 0x00FFFFFF;
constexpr size_t kHeaderSize = 32;
constexpr size_t kRectSize = 16;
constexpr uint32_t kTypeRectangles = 1;

struct Run {
    int32_t left;
    int32_t right;
    bool operator==(const Run& other) const { return left == other.left && right == other.right; }
};

void FindRuns(const uint32_t* row, int width, uint32_t transparent, std::vector<Run>& runs)
{
    runs.clear();
    int x = 0;
    while (x < width) {
        while (x < width && ((row[x] ^ transparent) & kColourMask) == 0)
            ++x;
        const int left = x;
        while (x < width && ((row[x] ^ transparent) & kColourMask) != 0)
            ++x;
        if (x > left)
            runs.push_back({left, x});
    }
}

class RegionDataWriter {
  public:
    RegionDataWriter() : bytes_(kHeaderSize) {}

    void AddBand(const std::vector<Run>& runs, int32_t top, int32_t bottom)
    {
        if (runs.empty() || top >= bottom)
            return;
        for (const Run& run : runs) {
            uint8_t rect[kRectSize];
            StoreLe32(rect, static_cast<uint32_t>(run.left));
            StoreLe32(rect + 4, static_cast<uint32_t>(top));
            StoreLe32(rect + 8, static_cast<uint32_t>(run.right));
            StoreLe32(rect + 12, static_cast<uint32_t>(bottom));
            bytes_.insert(bytes_.end(), rect, rect + kRectSize);
        }
        if (count_ == 0) {
            boundLeft_ = runs.front().left;
            boundTop_ = top;
            boundRight_ = runs.back().right;
        }
        boundLeft_ = std::min(boundLeft_, runs.front().left);
        boundRight_ = std::max(boundRight_, runs.back().right);
        boundBottom_ = bottom;
        count_ += static_cast<uint32_t>(runs.size());
    }

    std::vector<uint8_t> Finish()
    {
        StoreLe32(&bytes_[0], kHeaderSize);
        StoreLe32(&bytes_[4], kTypeRectangles);
        StoreLe32(&bytes_[8], count_);
        StoreLe32(&bytes_[12], count_ * static_cast<uint32_t>(kRectSize));
        StoreLe32(&bytes_[16], static_cast<uint32_t>(boundLeft_));
        StoreLe32(&bytes_[20], static_cast<uint32_t>(boundTop_));
        StoreLe32(&bytes_[24], static_cast<uint32_t>(boundRight_));
        StoreLe32(&bytes_[28], static_cast<uint32_t>(boundBottom_));
        return std::move(bytes_);
    }

  private:
    std::vector<uint8_t> bytes_;
    uint32_t count_ = 0;
    int32_t boundLeft_ = 0;
    int32_t boundTop_ = 0;
    int32_t boundRight_ = 0;
    int32_t boundBottom_ = 0;
};

} // namespace

std::vector<uint8_t> RegionDataFromPixels(const uint32_t* pixels, int width, int height, size_t stride,
                                          uint32_t transparent)
{
    RegionDataWriter writer;
    std::vector<Run> band;
    std::vector<Run> row;
    int bandTop = 0;
    for (int y = 0; y < height; ++y) {
        FindRuns(pixels + static_cast<size_t>(y) * stride, width, transparent, row);
        if (row == band)
            continue;
        writer.AddBand(band, bandTop, y);
        band.swap(row);
        bandTop = y;
    }
    writer.AddBand(band, bandTop, height);
    return writer.Finish();
}
