// The orientation of any bytes taken for an EXIF block, and where it sends
// every pixel of a small picture.
#include "image/orient/ExifOrientation.h"
#include "image/orient/Orientation.h"
#include "tests/fuzz/native/Require.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int orientation = OrientationFromExif(data, size);
    Require(orientation >= 1 && orientation <= 8, "an orientation from 1 to 8");
    // A 3 x 2 picture: each pixel lands inside the upright one, none twice.
    constexpr int kWidth = 3;
    constexpr int kHeight = 2;
    const int width = UprightWidth(orientation, kWidth, kHeight);
    bool taken[kWidth * kHeight] = {};
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            int ux = x;
            int uy = y;
            UprightPlace(orientation, kWidth, kHeight, ux, uy);
            Require(ux >= 0 && uy >= 0 && ux < width && uy < UprightHeight(orientation, kWidth, kHeight),
                    "inside the upright picture");
            Require(!taken[uy * width + ux], "one pixel a place");
            taken[uy * width + ux] = true;
        }
    }
    return 0;
}
