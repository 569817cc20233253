#include "image/ImageObject.h"

#include "image/bmp/BmpImage.h"
#include "image/gif/GifImage.h"
#include "image/jpeg/JpegImage.h"
#include "image/palette/DibPalette.h"
#include "image/png/PngImage.h"
#include "image/heif/HeifImage.h"
#include "image/webp/WebpImage.h"
#include "image/wic/WicImage.h"

#include <new>

CImageObject::CImageObject(const std::string& path, int fileType)
{
    Load(path, fileType);
}

CImageObject::CImageObject(const CBitmap& bitmap) : type(BMP)
{
    std::unique_ptr<CBmpImage> picture(new (std::nothrow) CBmpImage);
    if (picture)
        picture->CreateFromBitmap(bitmap.GetHandle());
    impl = std::move(picture);
}

CImageObject::~CImageObject() = default;

int CImageObject::GetRowStride() const
{
    return impl ? impl->GetRowStride() : 0;
}

int CImageObject::GetWidth() const
{
    return impl ? impl->GetWidth() : 0;
}

int CImageObject::GetHeight() const
{
    return impl ? impl->GetHeight() : 0;
}

int CImageObject::GetBitCount() const
{
    return impl ? impl->GetBitCount() : 0;
}

int CImageObject::GetColorType() const
{
    return impl ? impl->GetColorType() : 0;
}

bool CImageObject::IsInside(int x, int y) const
{
    return impl && impl->IsInside(x, y);
}

bool CImageObject::Create(int width, int height, int bitCount, int colorType)
{
    if (!impl) {
        if (!CreateImpl(std::string(), BMP))
            return false;
        type = BMP;
        fileName.clear();
    }
    return impl->Create(width, height, bitCount, colorType);
}

bool CImageObject::CreateImpl(const std::string& path, int fileType)
{
    impl.reset();
    switch (fileType) {
    case BMP:
        impl.reset(new (std::nothrow) CBmpImage(path));
        break;
    case JPG:
        impl.reset(new (std::nothrow) CJpegImage(path));
        break;
    case GIF:
        impl.reset(new (std::nothrow) CGifImage(path));
        break;
    case PNG:
        impl.reset(new (std::nothrow) CPngImage(path));
        break;
    case WEBP:
        impl.reset(new (std::nothrow) CWebpImage(path));
        break;
    case HEIF:
    case AVIF:
        impl.reset(new (std::nothrow) CHeifImage(path));
        break;
    case WIC:
        impl.reset(new (std::nothrow) CWicImage(path));
        break;
    default:
        break; // XPM has no format class; -1 is no format at all
    }
    return impl != nullptr;
}

bool CImageObject::Draw(HDC dc, int x, int y, int w, int h, int xSrc, int ySrc) const
{
    return impl && impl->Draw(dc, x, y, w, h, xSrc, ySrc);
}

bool CImageObject::Stretch(HDC dc, int xDst, int yDst, int wDst, int hDst, int xSrc, int ySrc, int wSrc, int hSrc)
{
    return impl && impl->Stretch(dc, xDst, yDst, wDst, hDst, xSrc, ySrc, wSrc, hSrc);
}

int CImageObject::GetPixelIndex(int x, int y) const
{
    return impl ? impl->GetPixelIndex(x, y) : 0;
}

bool CImageObject::GetPixelColor(int x, int y, uint8_t& r, uint8_t& g, uint8_t& b) const
{
    return impl && impl->GetPixelColor(x, y, r, g, b);
}

bool CImageObject::SetPixelIndex(int x, int y, int index)
{
    return impl && impl->SetPixelIndex(x, y, index);
}

bool CImageObject::SetPixelColor(int x, int y, uint8_t r, uint8_t g, uint8_t b)
{
    return impl && impl->SetPixelColor(x, y, r, g, b);
}

bool CImageObject::SetPalette(int count, const uint8_t* reds, const uint8_t* greens, const uint8_t* blues)
{
    return impl && impl->SetPalette(count, reds, greens, blues);
}

bool CImageObject::SetPalette(int count, const uint8_t* rgbTriples)
{
    return impl && impl->SetPalette(count, rgbTriples);
}

void CImageObject::SetPalette(std::unique_ptr<CDibPalette> palette)
{
    if (impl)
        impl->SetPalette(std::move(palette));
}

CDibPalette* CImageObject::GetPalette() const
{
    return impl ? impl->GetPalette() : nullptr;
}

bool CImageObject::IsValid() const
{
    return impl && impl->GetDib();
}

CImageImpl* CImageObject::GetImpl() const
{
    return impl.get();
}

uint8_t* CImageObject::GetBits() const
{
    return impl ? impl->GetBits() : nullptr;
}

bool CImageObject::Load(const std::string& path, int fileType)
{
    const int oldType = type;
    fileName = path;
    if (fileType == -1)
        fileType = ImageTypeFromFileName(path);
    type = fileType;
    if (!impl || oldType != type) {
        if (!CreateImpl(path, type))
            return false;
    }
    if (impl->Load(path) == 1 && impl->GetWidth() > 0 && impl->GetHeight() > 0 && impl->GetBits())
        return true;
    CreateImpl(path, type); // what was read so far goes
    return false;
}

int CImageObject::Save(const std::string& path, int fileType)
{
    if (!impl)
        return 0;
    const int oldType = type;
    fileName = path;
    if (fileType == -1)
        fileType = ImageTypeFromFileName(path);
    type = fileType;
    if (type != oldType) {
        std::unique_ptr<CImageImpl> old = std::move(impl);
        if (!CreateImpl(path, type)) {
            // No format for the new type: the picture stays as it was, type included.
            impl = std::move(old);
            type = oldType;
            return 0;
        }
        impl->TakeOver(*old);
    }
    return impl->Save(path);
}
