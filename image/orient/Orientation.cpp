#include "image/orient/Orientation.h"

OrientedRows::OrientedRows(int orientationIn, int storedWidthIn, int storedHeightIn, uint8_t* topIn, ptrdiff_t strideIn,
                           int bytesPerPixelIn)
    : orientation(ValidOrientation(orientationIn)), storedWidth(storedWidthIn), storedHeight(storedHeightIn),
      swaps(OrientationSwapsSides(orientationIn)), top(topIn), stride(strideIn), bytesPerPixel(bytesPerPixelIn)
{
    switch (orientation) {
    case 2:
    case 3:
        step = -bytesPerPixel;
        break;
    case 5:
    case 6:
        step = stride;
        break;
    case 7:
    case 8:
        step = -stride;
        break;
    default:
        step = bytesPerPixel;
    }
}

void UprightPlace(int orientation, int storedWidth, int storedHeight, int& x, int& y)
{
    const int sx = x;
    const int sy = y;
    const int lastColumn = storedWidth - 1;
    const int lastRow = storedHeight - 1;
    switch (ValidOrientation(orientation)) {
    case 2:
        x = lastColumn - sx;
        break;
    case 3:
        x = lastColumn - sx;
        y = lastRow - sy;
        break;
    case 4:
        y = lastRow - sy;
        break;
    case 5:
        x = sy;
        y = sx;
        break;
    case 6:
        x = lastRow - sy;
        y = sx;
        break;
    case 7:
        x = lastRow - sy;
        y = lastColumn - sx;
        break;
    case 8:
        x = sy;
        y = lastColumn - sx;
        break;
    default:
        break;
    }
}

uint8_t* OrientedRows::RowStart(int y) const
{
    int x0 = 0;
    int y0 = y;
    UprightPlace(orientation, storedWidth, storedHeight, x0, y0);
    return top + static_cast<ptrdiff_t>(y0) * stride + static_cast<ptrdiff_t>(x0) * bytesPerPixel;
}

void OrientedRows::PlaceRows(int y, int count, const uint8_t* const* rows) const
{
    if (!swaps) {
        for (int i = 0; i < count; ++i)
            Place(y + i, rows[i]);
        return;
    }
    // A tile's upright rows stay in the cache while every stored row adds
    // its pixel to each of them.
    constexpr int kTileColumns = 32;
    for (int first = 0; first < storedWidth; first += kTileColumns) {
        const int end = first + kTileColumns < storedWidth ? first + kTileColumns : storedWidth;
        for (int i = 0; i < count; ++i) {
            uint8_t* out = RowStart(y + i) + first * step;
            const uint8_t* in = rows[i] + static_cast<size_t>(first) * bytesPerPixel;
            if (bytesPerPixel == 3) {
                for (int x = first; x < end; ++x, out += step, in += 3) {
                    out[0] = in[0];
                    out[1] = in[1];
                    out[2] = in[2];
                }
            } else {
                for (int x = first; x < end; ++x, out += step, in += bytesPerPixel)
                    std::memcpy(out, in, static_cast<size_t>(bytesPerPixel));
            }
        }
    }
}
