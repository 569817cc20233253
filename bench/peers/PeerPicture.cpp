#include "peers/PeerPicture.h"

#include <new>

bool PeerPicture::Allocate(int pictureWidth, int pictureHeight, int bytesPerPixel)
{
    width = pictureWidth;
    height = pictureHeight;
    rowStride = (width * bytesPerPixel + 3) / 4 * 4;
    pixels.reset(new (std::nothrow) uint8_t[static_cast<size_t>(rowStride) * static_cast<size_t>(height)]);
    return pixels != nullptr;
}
