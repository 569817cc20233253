#pragma once

#include "image/ImageFileImpl.h"

// Pictures of the formats the system's Imaging Component decodes for us
// (TIFF, JPEG XR, JPEG XL, camera raw, ...): the first frame becomes a
// 24-bit picture, alpha composed on the background colour PNG uses, turned
// upright as its EXIF orientation says. A file whose format has no decoder on
// this system is noted (MissingDecoders) and not read.
class CWicImage : public CImageFileImpl {
  public:
    explicit CWicImage(const std::string& fileName = std::string()) : CImageFileImpl(fileName) {}

    int Load(const std::string& fileName) override;
};
