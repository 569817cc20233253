#pragma once

#include "framework/GdiObject.h"
#include "image/ImageFileType.h"
#include "image/ImageImpl.h"

#include <cstdint>
#include <memory>
#include <string>

class CDibPalette;

// The picture object the rest of the program holds: made from a file path
// and an ImageFileType, it picks the format class, and it saves under another
// path whose extension picks the format. Callers judge a load by width and
// height both above 0.
class CImageObject : public CObject {
  public:
    CImageObject() = default;
    CImageObject(const std::string& fileName, int type);
    // A BMP picture holding the pixels of a device-dependent bitmap.
    explicit CImageObject(const CBitmap& bitmap);
    ~CImageObject() override;
    CImageObject(const CImageObject&) = delete;
    CImageObject& operator=(const CImageObject&) = delete;

    // Everything from here on reports 0 (or null, or false) without impl.
    virtual int GetRowStride() const;
    virtual int GetWidth() const;
    virtual int GetHeight() const;
    virtual int GetBitCount() const;
    virtual int GetColorType() const;
    virtual bool IsInside(int x, int y) const;
    virtual bool Create(int width, int height, int bitCount, int colorType);
    virtual bool CreateImpl(const std::string& fileName, int type);
    virtual bool Draw(HDC dc, int x, int y, int w = -1, int h = -1, int xSrc = 0, int ySrc = 0) const;
    virtual bool Stretch(HDC dc, int xDst, int yDst, int wDst = -1, int hDst = -1, int xSrc = 0, int ySrc = 0,
                         int wSrc = -1, int hSrc = -1);
    virtual int GetPixelIndex(int x, int y) const;
    virtual bool GetPixelColor(int x, int y, uint8_t& r, uint8_t& g, uint8_t& b) const;
    virtual bool SetPixelIndex(int x, int y, int index);
    virtual bool SetPixelColor(int x, int y, uint8_t r, uint8_t g, uint8_t b);
    virtual bool SetPalette(int count, const uint8_t* reds, const uint8_t* greens, const uint8_t* blues);
    virtual bool SetPalette(int count, const uint8_t* rgbTriples);
    virtual void SetPalette(std::unique_ptr<CDibPalette> palette);
    virtual CDibPalette* GetPalette() const;
    virtual bool IsValid() const;
    virtual CImageImpl* GetImpl() const;
    virtual uint8_t* GetBits() const;

    // type -1 takes the type from the file name's extension. False when no
    // whole picture was read: a file its decoder gives up on part way (cut
    // short by an interrupted copy, damaged, or a load told to stop) leaves
    // no picture at all, width and height 0, rather than a half-grey one.
    bool Load(const std::string& fileName, int type = -1);
    // 1 on success. A different type moves the picture into a new format object.
    int Save(const std::string& fileName, int type = -1);
    // A screen-compatible bitmap showing the picture; owned by the caller.
    std::unique_ptr<CBitmap> MakeDeviceBitmap() const;

    int GetType() const { return type; }
    const std::string& GetFileName() const { return fileName; }

  private:
    int type = -1;
    std::string fileName;
    std::unique_ptr<CImageImpl> impl;
};
