#include "image/wic/WicImage.h"

#include "framework/ComApartment.h"
#include "framework/WideText.h"
#include "framework/Worker.h"
#include "image/AlphaBackground.h"
#include "image/DibSize.h"
#include "image/ImageFileType.h"
#include "image/MissingDecoders.h"
#include "image/SystemDecoders.h"
#include "image/io/FileHandle.h"
#include "image/wic/WicFactory.h"
#include "image/wic/WicOrientation.h"

#include <cctype>
#include <memory>
#include <new>

namespace {

// The rows converted between two looks for a stop.
constexpr UINT kBandRows = 16;

std::string LowercaseExtension(const std::string& path)
{
    std::string extension = GetFileExtension(path);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

// The system's flip-and-turn for an EXIF orientation: 2 mirrored, 3 upside
// down, 4 flipped, 5 to 8 the four with width and height swapped.
WICBitmapTransformOptions TransformFor(int orientation)
{
    static const int kTransforms[9] = {
        WICBitmapTransformRotate0,
        WICBitmapTransformRotate0,
        WICBitmapTransformFlipHorizontal,
        WICBitmapTransformRotate180,
        WICBitmapTransformFlipVertical,
        WICBitmapTransformRotate90 | WICBitmapTransformFlipHorizontal,
        WICBitmapTransformRotate90,
        WICBitmapTransformRotate270 | WICBitmapTransformFlipHorizontal,
        WICBitmapTransformRotate270,
    };
    return static_cast<WICBitmapTransformOptions>(kTransforms[orientation >= 1 && orientation <= 8 ? orientation : 1]);
}

// The frame turned upright, or the frame itself when it needs no turn.
ComRef<IWICBitmapSource> Upright(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame)
{
    ComRef<IWICBitmapSource> source;
    const WICBitmapTransformOptions transform = TransformFor(WicFrameOrientation(frame));
    ComRef<IWICBitmapFlipRotator> turned;
    if (transform != WICBitmapTransformRotate0 && SUCCEEDED(factory->CreateBitmapFlipRotator(turned.Out())) &&
        SUCCEEDED(turned->Initialize(frame, transform)) &&
        SUCCEEDED(turned->QueryInterface(IID_IWICBitmapSource, source.OutVoid())))
        return source;
    if (FAILED(frame->QueryInterface(IID_IWICBitmapSource, source.OutVoid())))
        source.Reset();
    return source;
}

// The frame's pixels as blue, green, red, alpha, or null.
ComRef<IWICBitmapSource> AsBgra(IWICImagingFactory* factory, IWICBitmapSource* source)
{
    ComRef<IWICFormatConverter> converter;
    ComRef<IWICBitmapSource> converted;
    if (FAILED(factory->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(source, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->QueryInterface(IID_IWICBitmapSource, converted.OutVoid())))
        converted.Reset();
    return converted;
}

} // namespace

int CWicImage::Load(const std::string& name)
{
    const std::string& path = AdoptFileName(name);
    if (!SystemDecodesExtension(LowercaseExtension(path))) {
        const std::string format = PictureFormatName(path);
        if (!format.empty())
            NoteMissingDecoder(format);
        return 0;
    }
    const FileHandle file = FileHandle::OpenForReading(path);
    if (!file.IsOpen())
        return 0;
    const CComApartment apartment; // the conversion runs on a worker thread
    const ComRef<IWICImagingFactory> factory = MakeWicFactory();
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    if (!factory ||
        FAILED(factory->CreateDecoderFromFileHandle(reinterpret_cast<ULONG_PTR>(file.Get()), nullptr,
                                                    WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
        FAILED(decoder->GetFrame(0, frame.Out())))
        return 0;
    // The size the frame declares, before anything is decoded or allocated.
    UINT frameWidth = 0;
    UINT frameHeight = 0;
    uint32_t imageBytes = 0;
    if (FAILED(frame->GetSize(&frameWidth, &frameHeight)) || !PictureSizeAllowed(frameWidth, frameHeight) ||
        !DibImageBytes(24, static_cast<int>(frameWidth), static_cast<int>(frameHeight), imageBytes))
        return 0;
    const ComRef<IWICBitmapSource> upright = Upright(factory.Get(), frame.Get());
    const ComRef<IWICBitmapSource> pixels = upright ? AsBgra(factory.Get(), upright.Get()) : ComRef<IWICBitmapSource>();
    UINT pictureWidth = 0;
    UINT pictureHeight = 0;
    if (!pixels || FAILED(pixels->GetSize(&pictureWidth, &pictureHeight)) ||
        !PictureSizeAllowed(pictureWidth, pictureHeight))
        return 0;
    const int width = static_cast<int>(pictureWidth);
    const int height = static_cast<int>(pictureHeight);
    const UINT bandStride = pictureWidth * 4;
    std::unique_ptr<uint8_t[]> band(new (std::nothrow) uint8_t[static_cast<size_t>(bandStride) * kBandRows]);
    if (!band || !Create(width, height, 24, 2) || !GetBits())
        return 0;
    // Rows come top first; the pixel array holds the bottom row first.
    for (UINT top = 0; top < pictureHeight; top += kBandRows) {
        if (StopRequested())
            return 0;
        const UINT rows = pictureHeight - top < kBandRows ? pictureHeight - top : kBandRows;
        const WICRect area = {0, static_cast<INT>(top), width, static_cast<INT>(rows)};
        if (FAILED(pixels->CopyPixels(&area, bandStride, bandStride * rows, band.get())))
            return 0;
        for (UINT row = 0; row < rows; ++row)
            ComposeBgraRow(band.get() + static_cast<size_t>(row) * bandStride,
                           GetBits() + static_cast<size_t>(height - 1 - static_cast<int>(top + row)) * GetRowStride(),
                           width);
    }
    return 1;
}
