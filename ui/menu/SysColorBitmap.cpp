#include "ui/menu/SysColorBitmap.h"

#include "framework/App.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct ColorMapping {
    COLORREF from;
    int to; // system colour index
};

constexpr ColorMapping kMappings[] = {
    {RGB(0, 0, 0), COLOR_BTNTEXT},
    {RGB(128, 128, 128), COLOR_BTNSHADOW},
    {RGB(192, 192, 192), COLOR_BTNFACE},
    {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT},
};

COLORREF ColorOf(const RGBQUAD& entry)
{
    return RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
}

RGBQUAD QuadOf(COLORREF color)
{
    return RGBQUAD{GetBValue(color), GetGValue(color), GetRValue(color), 0};
}

void MapToSystemColors(RGBQUAD* table, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        for (const ColorMapping& mapping : kMappings) {
            if (ColorOf(table[i]) == mapping.from) {
                table[i] = QuadOf(GetSysColor(mapping.to));
                break;
            }
        }
    }
}

} // namespace

CBitmap LoadSysColorBitmap(int bitmapId)
{
    if (bitmapId < 0 || bitmapId > 0xFFFF)
        return CBitmap();
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(bitmapId), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    if (!data || size < sizeof(BITMAPINFOHEADER))
        return CBitmap();

    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof header);
    // Only palette pictures have colours to map.
    const int bits = header.biBitCount;
    if (header.biSize < sizeof header || (bits != 1 && bits != 4 && bits != 8) || header.biWidth <= 0 ||
        header.biHeight == 0 || header.biWidth > 0x7FFF || header.biHeight > 0x7FFF || header.biHeight < -0x7FFF ||
        header.biCompression != BI_RGB)
        return CBitmap();
    const size_t colors = header.biClrUsed && header.biClrUsed <= (1u << bits) ? header.biClrUsed : (1u << bits);
    const uint64_t tableEnd = uint64_t(header.biSize) + 4 * colors;
    const uint64_t stride = (uint64_t(header.biWidth) * bits + 31) / 32 * 4;
    const uint64_t height = header.biHeight < 0 ? -int64_t(header.biHeight) : header.biHeight;
    if (tableEnd + stride * height > size)
        return CBitmap();

    // The header and the colour table, copied so the table can change.
    header.biSize = sizeof header;
    std::vector<BYTE> info(sizeof header + 4 * colors);
    std::memcpy(info.data(), &header, sizeof header);
    std::memcpy(info.data() + sizeof header, data + (tableEnd - 4 * colors), 4 * colors);
    MapToSystemColors(reinterpret_cast<RGBQUAD*>(info.data() + sizeof header), colors);

    WindowDc screen(nullptr);
    const auto* bitmapInfo = reinterpret_cast<const BITMAPINFO*>(info.data());
    return CBitmap(
        CreateDIBitmap(screen.Get(), &bitmapInfo->bmiHeader, CBM_INIT, data + tableEnd, bitmapInfo, DIB_RGB_COLORS));
}
