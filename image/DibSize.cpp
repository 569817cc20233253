#include "image/DibSize.h"

bool PictureSizeAllowed(int64_t width, int64_t height)
{
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide)
        return false;
    return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= kMaxPicturePixels;
}

uint64_t DibRowStride(int bitCount, int width)
{
    if (bitCount <= 0 || width <= 0)
        return 0;
    return ((static_cast<uint64_t>(bitCount) * static_cast<uint64_t>(width) + 31) / 32) * 4;
}

bool DibImageBytes(int bitCount, int width, int height, uint32_t& imageBytes)
{
    imageBytes = 0;
    if (bitCount < 1 || bitCount > 32 || width < 0 || height < 0)
        return false;
    if (width > 0 && height > 0 && !PictureSizeAllowed(width, height))
        return false;
    const uint64_t bytes = DibRowStride(bitCount, width) * static_cast<uint64_t>(height);
    if (bytes > kMaxDibBytes)
        return false;
    imageBytes = static_cast<uint32_t>(bytes);
    return true;
}
