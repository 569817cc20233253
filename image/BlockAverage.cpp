#include "image/BlockAverage.h"

#include "framework/Worker.h"

#include <algorithm>

std::unique_ptr<BlockAverage> AverageBlocks(const CImageImpl& picture, const RGBQUAD* colours, int factor)
{
    const BITMAPINFOHEADER& source = *picture.GetDib();
    const int depth = picture.GetBitCount();
    if (source.biCompression != BI_RGB || (depth != 1 && depth != 4 && depth != 8 && depth != 24 && depth != 32) ||
        (depth <= 8 && !colours))
        return nullptr;
    const int width = picture.GetWidth();
    const int height = picture.GetHeight();
    auto shrunk = std::make_unique<BlockAverage>();
    const int outWidth = (width + factor - 1) / factor;
    const int outHeight = (height + factor - 1) / factor;
    const size_t outStride = (static_cast<size_t>(outWidth) * 3 + 3) & ~size_t{3};
    shrunk->header.biSize = sizeof(BITMAPINFOHEADER);
    shrunk->header.biWidth = outWidth;
    shrunk->header.biHeight = outHeight;
    shrunk->header.biPlanes = 1;
    shrunk->header.biBitCount = 24;
    shrunk->bits.assign(outStride * outHeight, 0);

    // Output rows from firstOut to endOut, each from its own block of
    // picture rows.
    const auto averageRows = [&](int firstOut, int endOut, std::vector<uint32_t>& sums) {
        for (int outY = firstOut; outY < endOut; ++outY) {
            std::fill(sums.begin(), sums.end(), 0);
            const int firstRow = outY * factor;
            const int rows = std::min(factor, height - firstRow);
            for (int y = firstRow; y < firstRow + rows; ++y) {
                const uint8_t* row = picture.GetBits() + static_cast<size_t>(y) * picture.GetRowStride();
                uint32_t* sum = sums.data();
                // Block by block, so no pixel pays for a division.
                for (int blockX = 0, x = 0; blockX < outWidth; ++blockX, sum += 3) {
                    const int end = std::min(x + factor, width);
                    if (depth >= 24) {
                        const int step = depth / 8;
                        for (const uint8_t* pixel = row + static_cast<size_t>(x) * step; x < end; ++x, pixel += step) {
                            sum[0] += pixel[0];
                            sum[1] += pixel[1];
                            sum[2] += pixel[2];
                        }
                        continue;
                    }
                    if (depth == 8) {
                        for (; x < end; ++x) {
                            const RGBQUAD& colour = colours[row[x]];
                            sum[0] += colour.rgbBlue;
                            sum[1] += colour.rgbGreen;
                            sum[2] += colour.rgbRed;
                        }
                        continue;
                    }
                    const int perByte = 8 / depth;
                    const int mask = (1 << depth) - 1;
                    for (; x < end; ++x) {
                        const RGBQUAD& colour = colours[(row[x / perByte] >> (8 - depth * (x % perByte + 1))) & mask];
                        sum[0] += colour.rgbBlue;
                        sum[1] += colour.rgbGreen;
                        sum[2] += colour.rgbRed;
                    }
                }
            }
            uint8_t* out = shrunk->bits.data() + static_cast<size_t>(outY) * outStride;
            for (int outX = 0; outX < outWidth; ++outX) {
                const uint32_t count = static_cast<uint32_t>(rows * std::min(factor, width - outX * factor));
                for (int channel = 0; channel < 3; ++channel)
                    out[outX * 3 + channel] =
                        static_cast<uint8_t>(sums[static_cast<size_t>(outX) * 3 + channel] / count);
            }
        }
    };
    // The lower half on the second processor, when there is one.
    std::vector<uint32_t> upperSums(static_cast<size_t>(outWidth) * 3);
    std::vector<uint32_t> lowerSums(upperSums.size());
    const int middle = outHeight / 2;
    CWorker helper;
    if (HasSecondProcessor() && helper.Start([&] { averageRows(middle, outHeight, lowerSums); })) {
        averageRows(0, middle, upperSums);
        helper.Join();
    } else {
        averageRows(0, outHeight, upperSums);
    }
    return shrunk;
}
