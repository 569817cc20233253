#pragma once

#include "image/ImageFileImpl.h"

// HEIC, HEIF and AVIF files through libheif.dll when the program's folder
// has it; without it they are formats with no decoder, noted for the user.
class CHeifImage : public CImageFileImpl {
  public:
    explicit CHeifImage(const std::string& fileName = std::string()) : CImageFileImpl(fileName) {}

    int Load(const std::string& fileName) override;
};
