#include "image/ImageImpl.h"

#include "image/DibSize.h"
#include "image/palette/ColorTable.h"
#include "image/palette/DibPalette.h"

#include <new>

namespace {

bool IsIndexDepth(int bitCount)
{
    return bitCount == 1 || bitCount == 2 || bitCount == 4 || bitCount == 8;
}

} // namespace

CImageImpl::CImageImpl() = default;

CImageImpl::~CImageImpl() = default;

bool CImageImpl::IsInside(int x, int y) const
{
    return x >= 0 && x < width && y >= 0 && y < height;
}

bool CImageImpl::Create(int newWidth, int newHeight, int newBitCount, int newColorType)
{
    width = newWidth;
    height = newHeight;
    bitCount = newBitCount;
    colorType = newColorType >= 0 ? newColorType : (newBitCount < 9 ? 0 : 2);
    ReleasePicture();

    uint32_t imageBytes = 0;
    if (!DibImageBytes(bitCount, width, height, imageBytes)) {
        // Refused outright, not merely short of memory: report no picture.
        width = height = rowStride = 0;
        return false;
    }
    rowStride = static_cast<int>(DibRowStride(bitCount, width));
    dib = AllocateDib(bitCount, width, height);
    if (!dib)
        return false;
    bits = DibPixels(dib);
    return true;
}

bool CImageImpl::HasPlainRows() const
{
    if (!dib || !bits)
        return false;
    const DWORD compression = dib.Header()->biCompression;
    return compression == BI_RGB || compression == BI_BITFIELDS;
}

uint8_t* CImageImpl::PixelAddress(int x, int y) const
{
    const size_t column = static_cast<size_t>(static_cast<uint64_t>(x) * static_cast<uint64_t>(bitCount) / 8);
    return bits + static_cast<size_t>(y) * static_cast<size_t>(rowStride) + column;
}

int CImageImpl::GetPixelIndex(int x, int y) const
{
    if (!IsInside(x, y) || !HasPlainRows() || !IsIndexDepth(bitCount))
        return -1;
    const uint8_t byte = *PixelAddress(x, y);
    if (bitCount == 8)
        return byte;
    // Pixels narrower than a byte are packed from the most significant bit.
    const int shift = 8 - bitCount - (x * bitCount) % 8;
    return (byte >> shift) & ((1 << bitCount) - 1);
}

bool CImageImpl::SetPixelIndex(int x, int y, int index)
{
    if (!IsInside(x, y) || !HasPlainRows() || !IsIndexDepth(bitCount))
        return false;
    uint8_t* byte = PixelAddress(x, y);
    if (bitCount == 8) {
        *byte = static_cast<uint8_t>(index);
        return true;
    }
    const int shift = 8 - bitCount - (x * bitCount) % 8;
    const int mask = ((1 << bitCount) - 1) << shift;
    *byte = static_cast<uint8_t>((*byte & ~mask) | ((index << shift) & mask));
    return true;
}

bool CImageImpl::GetPixelColor(int x, int y, uint8_t& r, uint8_t& g, uint8_t& b) const
{
    if (!IsInside(x, y) || !HasPlainRows())
        return false;
    // A deeper picture may carry a palette for drawing on palette displays;
    // its pixels are colours all the same.
    if (imagePalette && IsIndexDepth(bitCount))
        return imagePalette->GetEntry(GetPixelIndex(x, y), r, g, b);
    const uint8_t* pixel = PixelAddress(x, y);
    if (bitCount == 24 || bitCount == 32) {
        b = pixel[0];
        g = pixel[1];
        r = pixel[2];
        return true;
    }
    if (bitCount == 16) { // 5-5-5, the layout of a 16-bit DIB without masks
        const int value = pixel[0] | (pixel[1] << 8);
        r = static_cast<uint8_t>(((value >> 10) & 31) * 255 / 31);
        g = static_cast<uint8_t>(((value >> 5) & 31) * 255 / 31);
        b = static_cast<uint8_t>((value & 31) * 255 / 31);
        return true;
    }
    // Without a palette a shallow picture's table still holds colours.
    const int index = GetPixelIndex(x, y);
    if (index < 0 || index >= ColorTableEntries(*dib.Header()) || index > 255)
        return false;
    const uint8_t* entry = dib.Data() + dib.Header()->biSize + index * 4;
    b = entry[0];
    g = entry[1];
    r = entry[2];
    return true;
}

bool CImageImpl::SetPixelColor(int x, int y, uint8_t r, uint8_t g, uint8_t b)
{
    if (!IsInside(x, y) || !HasPlainRows())
        return false;
    if ((colorType & 1) && IsIndexDepth(bitCount)) {
        if (!imagePalette)
            return false;
        return SetPixelIndex(x, y, imagePalette->NearestIndex(r, g, b));
    }
    uint8_t* pixel = PixelAddress(x, y);
    if (bitCount == 24 || bitCount == 32) {
        pixel[0] = b;
        pixel[1] = g;
        pixel[2] = r;
        return true;
    }
    if (bitCount == 16) {
        const int value = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
        pixel[0] = static_cast<uint8_t>(value);
        pixel[1] = static_cast<uint8_t>(value >> 8);
        return true;
    }
    return false; // a shallow picture without palette has no colour to pick from
}

int CImageImpl::Load(const std::string&)
{
    return 0;
}

int CImageImpl::Save(const std::string&)
{
    return 0;
}

void CImageImpl::TakeOver(CImageImpl& other)
{
    ReleasePicture();
    dib = std::move(other.dib);
    transparentIndex = other.transparentIndex;
    imagePalette = std::move(other.imagePalette);
    bits = other.bits;
    width = other.width;
    height = other.height;
    bitCount = other.bitCount;
    colorType = other.colorType;
    rowStride = other.rowStride;
    other.bits = nullptr;
}

bool CImageImpl::SetPalette(int count, const uint8_t* reds, const uint8_t* greens, const uint8_t* blues)
{
    if (!greens)
        greens = reds;
    if (!blues)
        blues = greens;
    std::unique_ptr<CDibPalette> palette(new (std::nothrow) CDibPalette);
    if (!palette || !reds || !palette->CreateFromArrays(count, reds, greens, blues)) {
        imagePalette.reset();
        return false;
    }
    imagePalette = std::move(palette);
    colorType |= 3;
    return SetColorTable(dib.Header(), imagePalette->GetHandle(), true);
}

bool CImageImpl::SetPalette(int count, const uint8_t* rgbTriples)
{
    if (imagePalette)
        MessageBoxA(nullptr, "CImageImpl::imagePalette already exists!", nullptr, MB_OK);
    if (count > 256)
        count = 256;
    uint8_t reds[256] = {};
    uint8_t greens[256] = {};
    uint8_t blues[256] = {};
    for (int i = 0; i < count; ++i) {
        reds[i] = rgbTriples[i * 3];
        greens[i] = rgbTriples[i * 3 + 1];
        blues[i] = rgbTriples[i * 3 + 2];
    }
    return SetPalette(count, reds, greens, blues);
}

void CImageImpl::SetPalette(std::unique_ptr<CDibPalette> palette)
{
    if (!palette)
        return;
    imagePalette = std::move(palette);
    colorType |= 3;
    SetColorTable(dib.Header(), imagePalette->GetHandle(), true);
}

bool CImageImpl::SetGreyPalette(int count)
{
    if (count < 1 || count > 256)
        return false;
    uint8_t levels[256];
    for (int i = 0; i < count; ++i)
        levels[i] = static_cast<uint8_t>(i * 256 / count);
    return SetPalette(count, levels, nullptr, nullptr);
}

void CImageImpl::ReleasePicture()
{
    dib.Release();
    imagePalette.reset();
    bits = nullptr;
}

void CImageImpl::AdoptDib(GlobalDib block)
{
    ReleasePicture();
    dib = std::move(block);
    const BITMAPINFOHEADER& header = *dib.Header();
    width = header.biWidth;
    height = header.biHeight;
    bitCount = header.biBitCount;
    bits = DibPixels(dib);
    rowStride = static_cast<int>(DibRowStride(bitCount, width));
}

UINT CImageImpl::ColorUsage() const
{
    // Colour tables hold palette indices only while a palette is attached;
    // without one they hold colours (or nothing, for deep pictures).
    return imagePalette ? DIB_PAL_COLORS : DIB_RGB_COLORS;
}
