#pragma once

#include "image/ImageFileImpl.h"

// Windows bitmap files. The packed DIB in memory is a BMP file without its
// 14-byte file header, so reading loads the header, table and pixel bytes
// into one block and writing puts a file header in front of it. RLE data is
// kept compressed: GDI draws it as it is and a save writes it back unchanged.
class CBmpImage : public CImageFileImpl {
  public:
    explicit CBmpImage(const std::string& fileName = std::string()) : CImageFileImpl(fileName) {}

    int Load(const std::string& fileName) override;
    int Save(const std::string& fileName) override;

    // Fills the picture from a device-dependent bitmap.
    bool CreateFromBitmap(HBITMAP bitmap);
};
