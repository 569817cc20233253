#include "image/palette/DibPalette.h"

#include <vector>

namespace {

// LOGPALETTE is declared with one entry; the buffer holds count of them.
std::vector<uint8_t> LogicalPaletteBuffer(int count)
{
    std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(count));
    LOGPALETTE* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    return buffer;
}

} // namespace

CDibPalette::CDibPalette(int count, const uint8_t* reds, const uint8_t* greens, const uint8_t* blues)
{
    CreateFromArrays(count, reds, greens, blues);
}

CDibPalette::CDibPalette(const CDibPalette& other) : CPalette()
{
    const int count = other.GetEntryCount();
    if (count <= 0)
        return;
    std::vector<uint8_t> buffer = LogicalPaletteBuffer(count);
    LOGPALETTE* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    GetPaletteEntries(other.GetHandle(), 0, static_cast<UINT>(count), palette->palPalEntry);
    Attach(CreatePalette(palette));
}

bool CDibPalette::CreateFromArrays(int count, const uint8_t* reds, const uint8_t* greens, const uint8_t* blues)
{
    if (GetSafeHandle() || count < 1 || count > 256)
        return false;
    std::vector<uint8_t> buffer = LogicalPaletteBuffer(count);
    LOGPALETTE* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    for (int i = 0; i < count; ++i) {
        palette->palPalEntry[i].peRed = reds[i];
        palette->palPalEntry[i].peGreen = greens[i];
        palette->palPalEntry[i].peBlue = blues[i];
        palette->palPalEntry[i].peFlags = 0;
    }
    HPALETTE handle = CreatePalette(palette);
    if (!handle)
        return false;
    Attach(handle);
    return true;
}

int CDibPalette::NearestIndex(uint8_t r, uint8_t g, uint8_t b) const
{
    return static_cast<int>(GetNearestPaletteIndex(GetHandle(), RGB(r, g, b)));
}

bool CDibPalette::GetEntry(int index, uint8_t& r, uint8_t& g, uint8_t& b) const
{
    if (index < 0 || index > 255)
        return false;
    PALETTEENTRY entry;
    if (GetPaletteEntries(GetHandle(), static_cast<UINT>(index), 1, &entry) != 1)
        return false;
    r = entry.peRed;
    g = entry.peGreen;
    b = entry.peBlue;
    return true;
}
