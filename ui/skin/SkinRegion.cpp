#include "ui/skin/SkinRegion.h"

#include "image/ImageFileType.h"
#include "image/ImageObject.h"
#include "ui/skin/RegionRuns.h"
#include "ui/skin/SkinFile.h"
#include "ui/skin/SkinMessage.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// The skin's pictures are window-sized; this only keeps a damaged or huge
// picture from asking for an absurd buffer.
constexpr uint64_t kMaxRegionPixels = uint64_t(1) << 26;
constexpr DWORD kRectsPerPiece = 64;

CRgn RegionFromRects(const RECT* rects, DWORD count)
{
    std::vector<uint8_t> bytes(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = count;
    data->rdh.nRgnSize = count * sizeof(RECT);
    RECT bounds = rects[0];
    for (DWORD i = 1; i < count; ++i)
        UnionRect(&bounds, &bounds, &rects[i]);
    data->rdh.rcBound = bounds;
    std::copy(rects, rects + count, reinterpret_cast<RECT*>(data->Buffer));
    CRgn region;
    region.CreateFromData(data, static_cast<DWORD>(bytes.size()));
    return region;
}

} // namespace

std::vector<uint8_t> OpaqueRegionData(HDC dc, HBITMAP bitmap, int width, int height)
{
    if (!dc || !bitmap || width <= 0 || height <= 0 || uint64_t(width) * uint64_t(height) > kMaxRegionPixels)
        return {};
    // One read of every pixel as 32-bit colour, top row first, in place of
    // a colour query per pixel.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) != height)
        return {};
    return RegionDataFromPixels(pixels.data(), width, height, static_cast<size_t>(width), pixels[0]);
}

void BuildRegionFromBitmap(HWND window, const std::string& path, int& width, int& height,
                           std::vector<uint8_t>& regionData)
{
    if (GetFileExtension(path).empty()) {
        ShowSkinMessage(window, "File name can not be NULL.", MB_OK);
        return;
    }
    const int type = ImageTypeForPictureFile(path);
    if (type < 0)
        return;
    CImageObject image(path, type);
    width = image.GetWidth();
    height = image.GetHeight();
    if (width <= 0 || height <= 0)
        return;

    WindowDc dc(window);
    const std::unique_ptr<CBitmap> bitmap = image.MakeDeviceBitmap();
    if (!bitmap)
        return;
    std::vector<uint8_t> data = OpaqueRegionData(dc.Get(), bitmap->GetHandle(), width, height);
    if (!data.empty())
        regionData = std::move(data);
}

std::vector<uint8_t> ScaleRegionData(const std::vector<uint8_t>& regionData, int numerator, int denominator)
{
    if (regionData.empty() || !IsValidRegionData(regionData.data(), regionData.size()) || numerator == denominator)
        return regionData;
    const auto* data = reinterpret_cast<const RGNDATA*>(regionData.data());
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    std::vector<RECT> scaled;
    scaled.reserve(data->rdh.nCount);
    RECT bounds = {0, 0, 0, 0};
    for (DWORD index = 0; index < data->rdh.nCount; ++index) {
        const RECT& rect = rects[index];
        const RECT to = {MulDiv(rect.left, numerator, denominator), MulDiv(rect.top, numerator, denominator),
                         MulDiv(rect.right, numerator, denominator), MulDiv(rect.bottom, numerator, denominator)};
        if (IsRectEmpty(&to))
            continue;
        UnionRect(&bounds, &bounds, &to);
        scaled.push_back(to);
    }
    RGNDATAHEADER header = {};
    header.dwSize = sizeof header;
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(scaled.size());
    header.nRgnSize = static_cast<DWORD>(scaled.size() * sizeof(RECT));
    header.rcBound = bounds;
    std::vector<uint8_t> out(sizeof header + header.nRgnSize);
    std::memcpy(out.data(), &header, sizeof header);
    if (!scaled.empty())
        std::memcpy(out.data() + sizeof header, scaled.data(), header.nRgnSize);
    return out;
}

CRgn RegionFromData(const std::vector<uint8_t>& regionData)
{
    CRgn region;
    if (regionData.empty() || !IsValidRegionData(regionData.data(), regionData.size()))
        return region;
    const auto* data = reinterpret_cast<const RGNDATA*>(regionData.data());
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    const DWORD count = data->rdh.nCount;
    if (count <= kRectsPerPiece) {
        region.CreateFromData(data, static_cast<DWORD>(regionData.size()));
        return region;
    }
    // Some GDIs merge the rectangles of one ExtCreateRegion one at a time,
    // which grows with the square of their number; pieces of a few dozen
    // rectangles, combined pairwise, stay fast everywhere.
    std::vector<CRgn> pieces;
    for (DWORD first = 0; first < count; first += kRectsPerPiece)
        pieces.push_back(RegionFromRects(rects + first, std::min<DWORD>(kRectsPerPiece, count - first)));
    for (size_t step = 1; step < pieces.size(); step *= 2) {
        for (size_t i = 0; i + step < pieces.size(); i += 2 * step) {
            pieces[i].CombineRgn(pieces[i], pieces[i + step], RGN_OR);
            pieces[i + step].DeleteObject();
        }
    }
    return std::move(pieces[0]);
}
