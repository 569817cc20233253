#pragma once

#include "image/ImageFileImpl.h"

// GIF files, read only: the first image of the file as an 8-bit paletted
// picture, with its transparent colour kept for masked drawing.
class CGifImage : public CImageFileImpl {
  public:
    explicit CGifImage(const std::string& fileName = std::string()) : CImageFileImpl(fileName) {}

    int Load(const std::string& fileName) override;
    // GIF files are never written.
    int Save(const std::string&) override { return 0; }
};
