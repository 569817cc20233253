#include "image/wic/WicImage.h"

#include "framework/WideText.h"
#include "framework/Worker.h"
#include "image/AlphaBackground.h"
#include "image/DibSize.h"
#include "image/ImageFileType.h"
#include "image/MissingDecoders.h"
#include "image/SystemDecoders.h"
#include "image/io/FileHandle.h"
#include "image/orient/Orientation.h"
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
    const WicApartment apartment; // the conversion runs on a worker thread
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
    ComRef<IWICBitmapSource> stored;
    if (FAILED(frame->QueryInterface(IID_IWICBitmapSource, stored.OutVoid())))
        return 0;
    const ComRef<IWICBitmapSource> pixels = AsBgra(factory.Get(), stored.Get());
    const int storedWidth = static_cast<int>(frameWidth);
    const int storedHeight = static_cast<int>(frameHeight);
    const int orientation = WicFrameOrientation(frame.Get());
    const UINT bandStride = frameWidth * 4;
    std::unique_ptr<uint8_t[]> band(new (std::nothrow) uint8_t[static_cast<size_t>(bandStride) * kBandRows]);
    std::unique_ptr<uint8_t[]> row(new (std::nothrow) uint8_t[static_cast<size_t>(frameWidth) * 3]);
    if (!pixels || !band || !row ||
        !Create(UprightWidth(orientation, storedWidth, storedHeight),
                UprightHeight(orientation, storedWidth, storedHeight), 24, 2) ||
        !GetBits())
        return 0;
    // Each stored row goes straight to its upright place: the pixel array
    // holds the bottom row first.
    const OrientedRows upright(orientation, storedWidth, storedHeight,
                               GetBits() + static_cast<size_t>(GetHeight() - 1) * GetRowStride(), -GetRowStride(), 3);
    for (UINT top = 0; top < frameHeight; top += kBandRows) {
        if (StopRequested())
            return 0;
        const UINT rows = frameHeight - top < kBandRows ? frameHeight - top : kBandRows;
        const WICRect area = {0, static_cast<INT>(top), storedWidth, static_cast<INT>(rows)};
        if (FAILED(pixels->CopyPixels(&area, bandStride, bandStride * rows, band.get())))
            return 0;
        for (UINT y = 0; y < rows; ++y) {
            ComposeBgraRow(band.get() + static_cast<size_t>(y) * bandStride, row.get(), storedWidth);
            upright.Place(static_cast<int>(top + y), row.get());
        }
    }
    return 1;
}
