#include "image/gif/GifRowWriter.h"

#include <cstring>

namespace {

constexpr int kPassCount = 4;

} // namespace

GifRowWriter::GifRowWriter(const PictureRows& rows, bool interlaced)
    : rows_(rows), interlaced_(interlaced), row_(rows.height - 1)
{
}

int GifRowWriter::WriteLine(const uint8_t* pixels, int count)
{
    if (count > rows_.width)
        count = rows_.width;
    int arrayRow;
    if (!interlaced_) {
        if (row_ < 0)
            return -1;
        arrayRow = row_--;
    } else {
        // Data beyond the fourth pass has no line to go to.
        if (pass_ >= kPassCount)
            return -1;
        arrayRow = rows_.height - 1 - line_;
        line_ += step_;
        while (line_ >= rows_.height && pass_ < kPassCount)
            StartNextPass();
    }
    std::memcpy(rows_.bits + static_cast<size_t>(arrayRow) * static_cast<size_t>(rows_.rowStride), pixels,
                static_cast<size_t>(count));
    return 0;
}

void GifRowWriter::StartNextPass()
{
    ++pass_;
    if (pass_ >= 2)
        step_ /= 2;
    line_ = step_ / 2;
}
