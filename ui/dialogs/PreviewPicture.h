#pragma once
// The picture the select-picture dialog previews: what a full load of the
// file would give, except that a JPEG is decoded only as large as the
// preview frame needs. The size the file declares is kept beside it for the
// size line.

#include "image/ImageObject.h"

#include <memory>
#include <string>

struct PreviewPicture {
    std::unique_ptr<CImageObject> image;
    // The picture's own size, also when `image` was decoded smaller.
    int fileWidth = 0;
    int fileHeight = 0;

    // Both sizes above 0: the file gave a picture.
    bool Loaded() const { return image && image->GetWidth() > 0 && image->GetHeight() > 0; }
};

// Loads `path` as `type` (an ImageFileType). A JPEG is decoded at the
// smallest scale that still covers coverWidth x coverHeight.
PreviewPicture LoadPreviewPicture(const std::string& path, int type, int coverWidth, int coverHeight);
