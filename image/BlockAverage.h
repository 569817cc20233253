#pragma once

#include "image/ImageImpl.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

// A picture shrunk by a whole factor, each pixel the average of the block
// of pixels it stands for: a one-pixel line becomes a lighter line instead
// of vanishing between two picked rows. 24 bits, rows bottom-up.
struct BlockAverage {
    BITMAPINFOHEADER header = {};
    std::vector<uint8_t> bits;
};

// Null for the pixel forms it does not read (16 bits, compressed rows):
// those go to the system's stretch as they are. colours: the picture's
// colour table as colours, for pictures of 8 bits and fewer. The lower half
// of the rows is averaged on the second processor, when there is one.
std::unique_ptr<BlockAverage> AverageBlocks(const CImageImpl& picture, const RGBQUAD* colours, int factor);
