#include "image/GlobalDib.h"

#include "image/DibSize.h"

namespace {

// The 16 standard colours, red, green, blue.
constexpr uint8_t kStandardColors[16][3] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

constexpr size_t kHeaderAndTableBytes = 40 + 256 * 4;

} // namespace

GlobalDib& GlobalDib::operator=(GlobalDib&& other) noexcept
{
    if (this != &other) {
        Release();
        data_ = other.data_;
        other.data_ = nullptr;
    }
    return *this;
}

bool GlobalDib::Allocate(size_t bytes)
{
    Release();
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!handle)
        return false;
    data_ = static_cast<uint8_t*>(GlobalLock(handle));
    if (!data_) {
        GlobalFree(handle);
        return false;
    }
    return true;
}

void GlobalDib::Release()
{
    if (!data_)
        return;
    HGLOBAL handle = GlobalHandle(data_);
    GlobalUnlock(handle);
    GlobalFree(handle);
    data_ = nullptr;
}

int ColorTableEntries(const BITMAPINFOHEADER& header)
{
    if (header.biClrUsed != 0)
        return static_cast<int>(header.biClrUsed);
    if (header.biBitCount <= 8)
        return 1 << header.biBitCount;
    return 0;
}

uint8_t* DibPixels(const GlobalDib& dib)
{
    if (!dib)
        return nullptr;
    const BITMAPINFOHEADER& header = *dib.Header();
    if (header.biCompression == BI_BITFIELDS)
        return dib.Data() + header.biSize + 12;
    return dib.Data() + header.biSize + 4 * header.biClrUsed;
}

GlobalDib AllocateDib(int bitCount, int width, int height)
{
    GlobalDib dib;
    uint32_t imageBytes = 0;
    if (!DibImageBytes(bitCount, width, height, imageBytes))
        return dib;
    if (!dib.Allocate(imageBytes + kHeaderAndTableBytes))
        return dib;

    BITMAPINFOHEADER& header = *dib.Header();
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitCount);
    header.biCompression = BI_RGB;
    header.biSizeImage = imageBytes;
    header.biClrUsed = bitCount <= 8 ? 1u << bitCount : 0;

    uint8_t* table = dib.Data() + sizeof(BITMAPINFOHEADER);
    // Whole repetitions only: a 1- or 2-bit table stays zero.
    const uint32_t filled = header.biClrUsed / 16 * 16;
    for (uint32_t entry = 0; entry < filled; ++entry) {
        const uint8_t* color = kStandardColors[entry % 16];
        table[entry * 4 + 0] = color[2];
        table[entry * 4 + 1] = color[1];
        table[entry * 4 + 2] = color[0];
    }
    return dib;
}
