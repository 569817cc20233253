#pragma once

#include "image/ImageFileImpl.h"

// WebP files through libwebp: lossy, lossless, with alpha (composed on the
// background colour PNG uses) and animated (the first frame, on its
// canvas), as 24-bit pictures turned upright as their EXIF chunk says.
class CWebpImage : public CImageFileImpl {
  public:
    explicit CWebpImage(const std::string& fileName = std::string()) : CImageFileImpl(fileName) {}

    int Load(const std::string& fileName) override;
};
