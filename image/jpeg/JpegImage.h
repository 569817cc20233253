#pragma once

#include "image/ImageFileImpl.h"

// JPEG files through libjpeg. Pictures read are always 8-bit paletted: grey
// files with 256 grey levels, colour files quantised by the library to at
// most 128 colours (two-pass, Floyd-Steinberg dithering).
class CJpegImage : public CImageFileImpl {
  public:
    explicit CJpegImage(const std::string& fileName = std::string()) : CImageFileImpl(fileName) {}

    int Load(const std::string& fileName) override;
    int Save(const std::string& fileName) override;

    int quality = 30; // compression quality of Save
};
