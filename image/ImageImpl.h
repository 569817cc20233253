#pragma once

#include "image/GlobalDib.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

class CDibPalette;

// One picture in memory as a packed DIB, with pixel access and drawing. The
// format classes derive from it and add Load and Save.
class CImageImpl {
  public:
    CImageImpl();
    virtual ~CImageImpl();
    CImageImpl(const CImageImpl&) = delete;
    CImageImpl& operator=(const CImageImpl&) = delete;

    virtual bool IsInside(int x, int y) const;
    // A new zero-filled picture. A size beyond the library's bound leaves
    // width and height 0; a failed allocation keeps them but no pixels.
    virtual bool Create(int width, int height, int bitCount, int colorType);
    // y counts rows from the start of the pixel array, the bottom of the picture.
    virtual int GetPixelIndex(int x, int y) const;
    virtual bool GetPixelColor(int x, int y, uint8_t& r, uint8_t& g, uint8_t& b) const;
    virtual bool SetPixelIndex(int x, int y, int index);
    virtual bool SetPixelColor(int x, int y, uint8_t r, uint8_t g, uint8_t b);
    // Format classes read and write files; the plain picture has no format.
    virtual int Load(const std::string& fileName);
    virtual int Save(const std::string& fileName);

    bool Draw(HDC dc, int x, int y, int w = -1, int h = -1, int xSrc = 0, int ySrc = 0) const;
    bool Stretch(HDC dc, int xDst, int yDst, int wDst = -1, int hDst = -1, int xSrc = 0, int ySrc = 0, int wSrc = -1,
                 int hSrc = -1);
    // Moves other's picture into this object; other keeps nothing to free.
    void TakeOver(CImageImpl& other);

    bool SetPalette(int count, const uint8_t* reds, const uint8_t* greens, const uint8_t* blues);
    bool SetPalette(int count, const uint8_t* rgbTriples);
    void SetPalette(std::unique_ptr<CDibPalette> palette);
    bool SetGreyPalette(int count);

    uint8_t* GetBits() const { return bits; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    int GetBitCount() const { return bitCount; }
    int GetColorType() const { return colorType; }
    int GetRowStride() const { return rowStride; }
    BITMAPINFOHEADER* GetDib() const { return dib.Header(); }
    CDibPalette* GetPalette() const { return imagePalette.get(); }
    int GetTransparentIndex() const { return transparentIndex; }
    // True when the pixel array holds plain rows (not RLE data), the only
    // form pixel access and the PNG and JPEG writers can work on.
    bool HasPlainRows() const;
    void SetTransparentIndex(int index) { transparentIndex = index; }

  protected:
    // Frees the pixels and the palette; the size fields stay.
    void ReleasePicture();
    // Takes a block read from a file and sets the fields from its header.
    void AdoptDib(GlobalDib block);
    // Colour usage flag for GDI: palette indices while a palette is attached.
    UINT ColorUsage() const;

    uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int bitCount = 0;
    int colorType = 0;
    int rowStride = 0;
    GlobalDib dib;
    int transparentIndex = -1;
    std::unique_ptr<CDibPalette> imagePalette;

  private:
    uint8_t* PixelAddress(int x, int y) const;
    bool MaskedStretch(HDC dc, int xDst, int yDst, int wDst, int hDst, int xSrc, int ySrc, int wSrc, int hSrc);
};
