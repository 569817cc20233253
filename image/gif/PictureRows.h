#pragma once

#include <cstdint>

// Where a decoder writes an 8-bit picture: the pixel array of a packed DIB,
// rows bottom-up, each rowStride bytes apart. bits is null when the picture
// could not be created.
struct PictureRows {
    uint8_t* bits = nullptr;
    int rowStride = 0;
    int width = 0;
    int height = 0;
};
