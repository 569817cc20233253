#include "image/palette/ColorTable.h"

#include "image/GlobalDib.h"

#include <cstdint>
#include <vector>

bool SetColorTable(BITMAPINFOHEADER* dib, HPALETTE palette, bool indexForm)
{
    if (!palette)
        palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    if (!dib)
        return false;
    int entries = ColorTableEntries(*dib);
    if (entries == 0 || (entries == 3 && dib->biCompression == BI_BITFIELDS))
        return true;
    // The block reserves room for 256 entries, never more.
    if (entries > 256)
        entries = 256;
    uint8_t* table = reinterpret_cast<uint8_t*>(dib) + dib->biSize;

    if (indexForm) {
        uint16_t* indices = reinterpret_cast<uint16_t*>(table);
        for (int i = 0; i < entries; ++i)
            indices[i] = static_cast<uint16_t>(i);
        return true;
    }
    // Entries the palette lacks come out black rather than as stale bytes.
    PALETTEENTRY colors[256] = {};
    GetPaletteEntries(palette, 0, static_cast<UINT>(entries), colors);
    for (int i = 0; i < entries; ++i) {
        table[i * 4 + 0] = colors[i].peBlue;
        table[i * 4 + 1] = colors[i].peGreen;
        table[i * 4 + 2] = colors[i].peRed;
        table[i * 4 + 3] = 0;
    }
    return true;
}

HPALETTE PaletteFromColorTable(const BITMAPINFOHEADER* dib)
{
    if (!dib)
        return nullptr;
    int count = static_cast<uint16_t>(dib->biClrUsed);
    if (count == 0)
        return nullptr;
    if (count > 256) // the block holds no more entries than that
        count = 256;
    std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(count));
    LOGPALETTE* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    const uint8_t* table = reinterpret_cast<const uint8_t*>(dib) + 40;
    for (int i = 0; i < count; ++i) {
        palette->palPalEntry[i].peRed = table[i * 4 + 2];
        palette->palPalEntry[i].peGreen = table[i * 4 + 1];
        palette->palPalEntry[i].peBlue = table[i * 4 + 0];
        palette->palPalEntry[i].peFlags = 0;
    }
    return CreatePalette(palette);
}
