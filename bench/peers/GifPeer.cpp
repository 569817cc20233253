#include "peers/GifPeer.h"

#include <cstring>

#include <gif_lib.h>

PeerPicture DecodeGifWithGiflib(const std::string& path)
{
    PeerPicture picture;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif)
        return picture;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0) {
        const SavedImage& image = gif->SavedImages[0];
        const int width = image.ImageDesc.Width;
        const int height = image.ImageDesc.Height;
        if (picture.Allocate(width, height, 1)) {
            for (int y = 0; y < height; ++y)
                std::memcpy(picture.PictureLine(y), image.RasterBits + static_cast<size_t>(y) * width,
                            static_cast<size_t>(width));
        }
    }
    DGifCloseFile(gif, &error);
    return picture;
}
