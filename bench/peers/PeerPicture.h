#pragma once

#include <cstdint>
#include <memory>

// A peer's decoded picture in our DIB layout: rows bottom-up, each padded to
// a multiple of 4 bytes. The buffer is left uninitialised before decoding,
// as a peer's own caller would leave it; padding bytes are never compared.
struct PeerPicture {
    std::unique_ptr<uint8_t[]> pixels;
    int width = 0;
    int height = 0;
    int rowStride = 0;

    bool Allocate(int pictureWidth, int pictureHeight, int bytesPerPixel);
    uint8_t* ArrayRow(int row) const { return pixels.get() + static_cast<size_t>(row) * rowStride; }
    // The array row that holds picture line y (0 is the top line).
    uint8_t* PictureLine(int y) const { return ArrayRow(height - 1 - y); }
};
