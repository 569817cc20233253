#pragma once
// Where the rows of a picture stored in one of the eight EXIF orientations
// go to show it upright. 1 is as stored; 2 mirrored left to right; 3 turned
// half round; 4 mirrored top to bottom; 5 mirrored along the main diagonal;
// 6 turned a quarter clockwise; 7 mirrored along the other diagonal; 8
// turned a quarter anticlockwise. Windows-free, shared by every reader that
// writes rows straight to their upright place, so no reader needs a second
// copy of the picture.

#include <cstddef>
#include <cstdint>
#include <cstring>

// Orientations outside 1 to 8 count as 1.
inline int ValidOrientation(int orientation)
{
    return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

// 5 to 8 swap the picture's width and height.
inline bool OrientationSwapsSides(int orientation)
{
    return ValidOrientation(orientation) >= 5;
}

// The upright place (x, y counted from the top left) of the stored pixel at
// x, y of a storedWidth x storedHeight picture.
void UprightPlace(int orientation, int storedWidth, int storedHeight, int& x, int& y);

// The upright size of a stored picture.
inline int UprightWidth(int orientation, int storedWidth, int storedHeight)
{
    return OrientationSwapsSides(orientation) ? storedHeight : storedWidth;
}
inline int UprightHeight(int orientation, int storedWidth, int storedHeight)
{
    return OrientationSwapsSides(orientation) ? storedWidth : storedHeight;
}

// Places the stored rows of a storedWidth x storedHeight picture into an
// upright one, whose rows (top first) start at top and follow each other
// every stride bytes (negative for a bottom-up DIB).
class OrientedRows {
  public:
    OrientedRows(int orientation, int storedWidth, int storedHeight, uint8_t* top, ptrdiff_t stride, int bytesPerPixel);

    // Upright size.
    int Width() const { return swaps ? storedHeight : storedWidth; }
    int Height() const { return swaps ? storedWidth : storedHeight; }

    // Copies stored row y (storedWidth pixels of bytesPerPixel bytes) to its
    // upright place: a row, or a column when the sides swap.
    void Place(int y, const uint8_t* row) const
    {
        uint8_t* out = RowStart(y);
        if (step == bytesPerPixel) {
            std::memcpy(out, row, static_cast<size_t>(storedWidth) * bytesPerPixel);
            return;
        }
        switch (bytesPerPixel) {
        case 1:
            for (int x = 0; x < storedWidth; ++x, out += step)
                *out = row[x];
            break;
        case 3:
            for (int x = 0; x < storedWidth; ++x, out += step, row += 3) {
                out[0] = row[0];
                out[1] = row[1];
                out[2] = row[2];
            }
            break;
        default:
            for (int x = 0; x < storedWidth; ++x, out += step, row += bytesPerPixel)
                std::memcpy(out, row, static_cast<size_t>(bytesPerPixel));
        }
    }

    // Places count stored rows from y on (rows[i] holds row y + i). When
    // the sides swap, a stored row is an upright column: the rows are
    // placed a tile of columns at a time, so each upright row is written in
    // runs, not a pixel at a time far from the last.
    void PlaceRows(int y, int count, const uint8_t* const* rows) const;

  private:
    uint8_t* RowStart(int y) const;

    int orientation;
    int storedWidth;
    int storedHeight;
    bool swaps;
    uint8_t* top;
    ptrdiff_t stride;
    int bytesPerPixel;
    ptrdiff_t step; // bytes from one stored pixel's upright place to the next one's
};
