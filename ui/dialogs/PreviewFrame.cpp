#include "ui/dialogs/PreviewFrame.h"

#include "image/HelperThread.h"
#include "image/ImageObject.h"
#include "image/palette/DibPalette.h"

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

namespace {

// A paletted picture's colour table holds indices into its palette (to draw
// through a selected palette). This gives the same header with the colours
// themselves, the transparent one replaced by `background`, so the picture
// draws into any bitmap without a palette selected.
std::vector<uint8_t> HeaderWithColours(const CImageImpl& picture, COLORREF background)
{
    const BITMAPINFOHEADER& header = *picture.GetDib();
    const int entries = header.biClrUsed ? static_cast<int>(std::min<DWORD>(header.biClrUsed, 256))
                                         : (header.biBitCount <= 8 ? 1 << header.biBitCount : 0);
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    std::memcpy(info.data(), &header, sizeof header);
    auto* colours = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
    const auto* indices = reinterpret_cast<const WORD*>(reinterpret_cast<const uint8_t*>(&header) + header.biSize);
    for (int value = 0; value < entries; ++value) {
        uint8_t r = 0;
        uint8_t g = 0;
        uint8_t b = 0;
        if (value == picture.GetTransparentIndex()) {
            r = GetRValue(background);
            g = GetGValue(background);
            b = GetBValue(background);
        } else {
            picture.GetPalette()->GetEntry(indices[value], r, g, b);
        }
        colours[value] = RGBQUAD{b, g, r, 0};
    }
    auto* copied = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    copied->biSize = sizeof(BITMAPINFOHEADER);
    copied->biClrUsed = static_cast<DWORD>(entries);
    return info;
}

// A picture shrunk by a whole factor, each pixel the average of the block
// of pixels it stands for: a one-pixel line becomes a lighter line instead
// of vanishing between two picked rows. 24 bits, rows bottom-up.
struct BlockAverage {
    BITMAPINFOHEADER header = {};
    std::vector<uint8_t> bits;
};

// Null for the pixel forms it does not read (16 bits, compressed rows):
// those go to the system's stretch as they are.
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
    std::thread helper;
    if (HasSecondProcessor() && StartHelperThread(helper, [&] { averageRows(middle, outHeight, lowerSums); })) {
        averageRows(0, middle, upperSums);
        helper.join();
    } else {
        averageRows(0, outHeight, upperSums);
    }
    return shrunk;
}

} // namespace

RECT FitPictureInto(int pictureWidth, int pictureHeight, const RECT& area)
{
    const int areaWidth = area.right - area.left;
    const int areaHeight = area.bottom - area.top;
    // Compared in 64 bits: width x height of a large picture overflows 32.
    int width = areaWidth;
    int height = areaHeight;
    if (static_cast<long long>(pictureWidth) * areaHeight > static_cast<long long>(pictureHeight) * areaWidth)
        height = static_cast<int>(static_cast<long long>(areaWidth) * pictureHeight / pictureWidth);
    else
        width = static_cast<int>(static_cast<long long>(areaHeight) * pictureWidth / pictureHeight);
    width = std::max(width, 1);
    height = std::max(height, 1);
    const int left = area.left + (areaWidth - width) / 2;
    const int top = area.top + (areaHeight - height) / 2;
    return RECT{left, top, left + width, top + height};
}

std::unique_ptr<CBitmap> MakePreviewFrame(const CImageObject& picture, int width, int height, COLORREF background)
{
    const CImageImpl* impl = picture.GetImpl();
    if (!impl || !impl->GetDib() || width <= 0 || height <= 0)
        return nullptr;
    BITMAPINFO frameInfo = {};
    frameInfo.bmiHeader.biSize = sizeof frameInfo.bmiHeader;
    frameInfo.bmiHeader.biWidth = width;
    frameInfo.bmiHeader.biHeight = height;
    frameInfo.bmiHeader.biPlanes = 1;
    frameInfo.bmiHeader.biBitCount = 24;
    void* frameBits = nullptr;
    auto frame =
        std::make_unique<CBitmap>(CreateDIBSection(nullptr, &frameInfo, DIB_RGB_COLORS, &frameBits, nullptr, 0));
    const OwnedDc dc(CreateCompatibleDC(nullptr));
    if (!frame->GetSafeHandle() || !dc.Get())
        return nullptr;
    const ScopedSelectObject selected(dc.Get(), *frame);

    CBrush panel;
    panel.CreateSolidBrush(background);
    const RECT whole = {0, 0, width, height};
    FillRect(dc.Get(), &whole, panel.GetHandle());

    const RECT fitted = FitPictureInto(picture.GetWidth(), picture.GetHeight(), whole);
    std::vector<uint8_t> colours;
    const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(impl->GetDib());
    if (impl->GetPalette()) {
        colours = HeaderWithColours(*impl, background);
        info = reinterpret_cast<const BITMAPINFO*>(colours.data());
    }
    const void* bits = impl->GetBits();
    int sourceWidth = picture.GetWidth();
    int sourceHeight = picture.GetHeight();
    // Most of a large reduction is done here by averaging whole blocks; the
    // system's stretch then has less than a factor of two left, where even a
    // stretch that only looks at neighbouring pixels keeps every line.
    const int factor =
        std::min(sourceWidth / (fitted.right - fitted.left), sourceHeight / (fitted.bottom - fitted.top));
    std::unique_ptr<BlockAverage> shrunk;
    if (factor >= 2)
        shrunk = AverageBlocks(*impl, info->bmiHeader.biBitCount <= 8 ? info->bmiColors : nullptr, factor);
    if (shrunk) {
        info = reinterpret_cast<const BITMAPINFO*>(&shrunk->header);
        bits = shrunk->bits.data();
        sourceWidth = shrunk->header.biWidth;
        sourceHeight = shrunk->header.biHeight;
    }
    // Halftone averages the pixels a target pixel covers instead of picking
    // one, which keeps a thin line from dropping out; it needs the brush
    // origin set after the mode. Systems without it keep their own mode.
    if (SetStretchBltMode(dc.Get(), HALFTONE))
        SetBrushOrgEx(dc.Get(), 0, 0, nullptr);
    StretchDIBits(dc.Get(), fitted.left, fitted.top, fitted.right - fitted.left, fitted.bottom - fitted.top, 0, 0,
                  sourceWidth, sourceHeight, bits, info, DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
    return frame;
}
