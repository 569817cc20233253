#pragma once

#include "image/ImageFileImpl.h"

// PNG files through libpng. Colour files become 24-bit pictures with alpha
// composited on the background colour; paletted files keep their depth
// (2-bit ones become 8-bit, which GDI can draw); grey files become 8-bit
// pictures with a grey palette.
class CPngImage : public CImageFileImpl {
  public:
    explicit CPngImage(const std::string& fileName = std::string()) : CImageFileImpl(fileName) {}

    int Load(const std::string& fileName) override;
    int Save(const std::string& fileName) override;
};
