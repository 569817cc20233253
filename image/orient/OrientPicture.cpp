#include "image/orient/OrientPicture.h"

#include "image/ImageImpl.h"
#include "image/orient/Orientation.h"
#include "image/palette/DibPalette.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

// The top row of a bottom-up DIB is the last row of its pixel array.
uint8_t* TopRow(const CImageImpl& picture)
{
    return picture.GetBits() + static_cast<size_t>(picture.GetHeight() - 1) * picture.GetRowStride();
}

bool CopyColours(const CImageImpl& from, CImageImpl& to)
{
    to.SetTransparentIndex(from.GetTransparentIndex());
    if (from.GetPalette()) {
        std::unique_ptr<CDibPalette> palette(new (std::nothrow) CDibPalette(*from.GetPalette()));
        if (!palette)
            return false;
        to.SetPalette(std::move(palette));
        return true;
    }
    if (from.GetBitCount() > 8)
        return true;
    // A table of colours without a palette object: copied as it is.
    const BITMAPINFOHEADER& header = *from.GetDib();
    const int entries = ColorTableEntries(header) < 256 ? ColorTableEntries(header) : 256;
    to.GetDib()->biClrUsed = static_cast<DWORD>(entries);
    std::memcpy(reinterpret_cast<uint8_t*>(to.GetDib()) + sizeof(BITMAPINFOHEADER),
                reinterpret_cast<const uint8_t*>(&header) + header.biSize, static_cast<size_t>(entries) * 4);
    return true;
}

// Pixels of a byte or more are copied row by row.
void PlaceWholePixels(const CImageImpl& from, int orientation, CImageImpl& to)
{
    const OrientedRows rows(orientation, from.GetWidth(), from.GetHeight(), TopRow(to), -to.GetRowStride(),
                            from.GetBitCount() / 8);
    const uint8_t* row = TopRow(from);
    for (int y = 0; y < from.GetHeight(); ++y, row -= from.GetRowStride())
        rows.Place(y, row);
}

// Packed pixels (1 and 4 bits) one by one, from the bottom row up.
void PlacePackedPixels(const CImageImpl& from, int orientation, CImageImpl& to)
{
    const int width = from.GetWidth();
    const int height = from.GetHeight();
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            int x = column;
            int y = height - 1 - row;
            UprightPlace(orientation, width, height, x, y);
            to.SetPixelIndex(x, to.GetHeight() - 1 - y, from.GetPixelIndex(column, row));
        }
    }
}

} // namespace

bool OrientPicture(CImageImpl& picture, int orientation)
{
    orientation = ValidOrientation(orientation);
    const int bitCount = picture.GetBitCount();
    const bool wholePixels = bitCount == 8 || bitCount == 24 || bitCount == 32;
    if (orientation == 1 || !picture.HasPlainRows() || !(wholePixels || bitCount == 1 || bitCount == 4))
        return true;
    const bool swaps = OrientationSwapsSides(orientation);
    CImageImpl turned;
    if (!turned.Create(swaps ? picture.GetHeight() : picture.GetWidth(),
                       swaps ? picture.GetWidth() : picture.GetHeight(), bitCount, picture.GetColorType()) ||
        !turned.GetBits() || !CopyColours(picture, turned))
        return false;
    if (wholePixels)
        PlaceWholePixels(picture, orientation, turned);
    else
        PlacePackedPixels(picture, orientation, turned);
    picture.TakeOver(turned);
    return true;
}
