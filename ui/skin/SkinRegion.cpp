#include "ui/skin/SkinRegion.h"

#include "image/ImageFileType.h"
#include "image/ImageObject.h"
#include "ui/skin/RegionRuns.h"
#include "ui/skin/SkinMessage.h"

#include <memory>

namespace {

// The skin's pictures are window-sized; this only keeps a damaged or huge
// picture from asking for an absurd buffer.
constexpr uint64_t kMaxRegionPixels = uint64_t(1) << 26;

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

CRgn RegionFromData(const std::vector<uint8_t>& regionData)
{
    CRgn region;
    if (!regionData.empty())
        region.CreateFromData(reinterpret_cast<const RGNDATA*>(regionData.data()),
                              static_cast<DWORD>(regionData.size()));
    return region;
}
