#include "image/gif/GifRowWriter.h"

#include "framework/Worker.h"

#include <cstring>

namespace {

struct InterlacePass {
    int start;
    int step;
};
constexpr InterlacePass kPasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};

} // namespace

GifRowWriter::GifRowWriter(const PictureRows& rows, bool interlaced) : rows_(rows), interlaced_(interlaced) {}

uint64_t GifRowWriter::PixelCount() const
{
    if (rows_.width <= 0 || rows_.height <= 0)
        return 0;
    return static_cast<uint64_t>(rows_.width) * static_cast<uint64_t>(rows_.height);
}

bool GifRowWriter::Complete() const
{
    const uint64_t pixels = PixelCount();
    return pixels > 0 && reached_.load(std::memory_order_relaxed) >= pixels;
}

int GifRowWriter::ArrayRow(uint64_t line) const
{
    if (!interlaced_)
        return line < static_cast<uint64_t>(rows_.height) ? rows_.height - 1 - static_cast<int>(line) : -1;
    for (const InterlacePass& pass : kPasses) {
        const uint64_t linesInPass =
            rows_.height > pass.start ? static_cast<uint64_t>((rows_.height - pass.start + pass.step - 1) / pass.step)
                                      : 0;
        if (line < linesInPass)
            return rows_.height - 1 - (pass.start + static_cast<int>(line) * pass.step);
        line -= linesInPass;
    }
    return -1; // data beyond the fourth pass has no line to go to
}

int GifRowWriter::Write(uint64_t first, const uint8_t* pixels, size_t count) const
{
    if (rows_.width <= 0)
        return -1;
    if (StopRequested())
        return kStopped;
    const uint64_t width = static_cast<uint64_t>(rows_.width);
    while (count > 0) {
        const int arrayRow = ArrayRow(first / width);
        if (arrayRow < 0)
            return -1;
        const size_t column = static_cast<size_t>(first % width);
        const size_t piece = count < width - column ? count : static_cast<size_t>(width - column);
        std::memcpy(rows_.bits + static_cast<size_t>(arrayRow) * static_cast<size_t>(rows_.rowStride) + column, pixels,
                    piece);
        pixels += piece;
        first += piece;
        count -= piece;
        uint64_t reached = reached_.load(std::memory_order_relaxed);
        while (first > reached && !reached_.compare_exchange_weak(reached, first, std::memory_order_relaxed)) {
        }
    }
    return 0;
}
