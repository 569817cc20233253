#include "image/webp/WebpImage.h"

#include "framework/Worker.h"
#include "image/AlphaBackground.h"
#include "image/DibSize.h"
#include "image/colour/PictureToSrgb.h"
#include "image/colour/SrgbConversion.h"
#include "image/io/WholeFile.h"
#include "image/orient/ExifOrientation.h"
#include "image/orient/OrientPicture.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cstring>
#include <memory>
#include <new>

namespace {

// The bytes handed to the decoder between two looks for a stop.
constexpr size_t kBytesPerStopCheck = 256 * 1024;

// Owners of libwebp's objects.
struct DemuxerFree {
    void operator()(WebPDemuxer* demuxer) const { WebPDemuxDelete(demuxer); }
};
struct IncrementalFree {
    void operator()(WebPIDecoder* decoder) const { WebPIDelete(decoder); }
};
struct AnimationFree {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

// A chunk of the file (EXIF, ICCP), empty when there is none.
class Chunk {
  public:
    Chunk(WebPDemuxer* demuxer, const char* fourcc) : found(demuxer && WebPDemuxGetChunk(demuxer, fourcc, 1, &chunk)) {}
    ~Chunk()
    {
        if (found)
            WebPDemuxReleaseChunkIterator(&chunk);
    }
    Chunk(const Chunk&) = delete;
    Chunk& operator=(const Chunk&) = delete;

    const uint8_t* Bytes() const { return found ? chunk.chunk.bytes : nullptr; }
    size_t Size() const { return found ? chunk.chunk.size : 0; }

  private:
    WebPChunkIterator chunk;
    bool found;
};

int OrientationOf(WebPDemuxer* demuxer)
{
    const Chunk exif(demuxer, "EXIF");
    return exif.Size() ? OrientationFromExif(exif.Bytes(), exif.Size()) : 1;
}

// Blue, green, red, alpha rows (top first) turned into sRGB as the ICCP
// chunk says, then composed into the picture: the background is sRGB
// already, so it is composed after the conversion, never converted.
void ComposeRows(uint8_t* bgra, int stride, const SrgbConversion& colours, CImageImpl& picture)
{
    const int height = picture.GetHeight();
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bgra + static_cast<size_t>(y) * stride;
        if (colours.Converts())
            colours.Convert(row, row, static_cast<size_t>(picture.GetWidth()));
        ComposeBgraRow(row, picture.GetBits() + static_cast<size_t>(height - 1 - y) * picture.GetRowStride(),
                       picture.GetWidth());
    }
}

// The first frame of an animation, drawn on its canvas as a player shows it.
bool DecodeFirstFrame(const WebPData& data, const SrgbConversion& colours, CImageImpl& picture)
{
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        return false;
    options.color_mode = MODE_BGRA;
    options.use_threads = 0;
    const std::unique_ptr<WebPAnimDecoder, AnimationFree> decoder(WebPAnimDecoderNew(&data, &options));
    WebPAnimInfo info;
    uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info) ||
        static_cast<int>(info.canvas_width) != picture.GetWidth() ||
        static_cast<int>(info.canvas_height) != picture.GetHeight() ||
        !WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp))
        return false;
    // The canvas is ours until the next frame, which is never asked for.
    ComposeRows(canvas, picture.GetWidth() * 4, colours, picture);
    return true;
}

// A still picture, fed to the decoder a piece at a time so a stop is
// heard. Without alpha the rows land in the picture as they are decoded,
// bottom row first; with alpha they pass through a 32-bit copy.
bool DecodeStill(const WholeFile& file, bool hasAlpha, const SrgbConversion& colours, CImageImpl& picture)
{
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config))
        return false;
    const int width = picture.GetWidth();
    const int height = picture.GetHeight();
    std::unique_ptr<uint8_t[]> withAlpha;
    config.output.is_external_memory = 1;
    if (hasAlpha) {
        uint32_t bytes = 0;
        if (!DibImageBytes(32, width, height, bytes))
            return false;
        withAlpha.reset(new (std::nothrow) uint8_t[bytes]);
        if (!withAlpha)
            return false;
        config.output.colorspace = MODE_BGRA;
        config.output.u.RGBA.rgba = withAlpha.get();
        config.output.u.RGBA.stride = width * 4;
        config.output.u.RGBA.size = bytes;
    } else {
        config.output.colorspace = MODE_BGR;
        config.output.u.RGBA.rgba = picture.GetBits();
        config.output.u.RGBA.stride = picture.GetRowStride();
        config.output.u.RGBA.size = static_cast<size_t>(picture.GetRowStride()) * height;
        config.options.flip = 1; // the pixel array holds the bottom row first
    }
    const std::unique_ptr<WebPIDecoder, IncrementalFree> decoder(WebPIDecode(nullptr, 0, &config));
    if (!decoder)
        return false;
    VP8StatusCode status = VP8_STATUS_SUSPENDED;
    for (size_t given = 0; status == VP8_STATUS_SUSPENDED && given < file.Size();) {
        if (StopRequested())
            return false;
        given = file.Size() - given < kBytesPerStopCheck ? file.Size() : given + kBytesPerStopCheck;
        // The data only grows: the decoder reads it in place.
        status = WebPIUpdate(decoder.get(), file.Data(), given);
    }
    if (status != VP8_STATUS_OK)
        return false; // damaged, or cut short
    if (hasAlpha)
        ComposeRows(withAlpha.get(), width * 4, colours, picture);
    return true;
}

// The RIFF header's size is all there: libwebp decodes a lossy picture
// missing its last bytes without a word, and a cut file must give nothing.
bool WholeRiff(const WholeFile& file)
{
    const uint8_t* data = file.Data();
    if (file.Size() < 12 || std::memcmp(data, "RIFF", 4) != 0)
        return false;
    const uint32_t size =
        uint32_t{data[4]} | uint32_t{data[5]} << 8 | uint32_t{data[6]} << 16 | uint32_t{data[7]} << 24;
    return file.Size() - 8 >= size;
}

} // namespace

int CWebpImage::Load(const std::string& name)
{
    WholeFile file;
    if (!file.Open(AdoptFileName(name)) || !WholeRiff(file))
        return 0;
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(file.Data(), file.Size(), &features) != VP8_STATUS_OK)
        return 0;
    // The size the file declares, before anything is allocated.
    uint32_t imageBytes = 0;
    if (!PictureSizeAllowed(features.width, features.height) ||
        !DibImageBytes(24, features.width, features.height, imageBytes))
        return 0;
    const WebPData data = {file.Data(), file.Size()};
    const std::unique_ptr<WebPDemuxer, DemuxerFree> demuxer(WebPDemux(&data));
    if (!Create(features.width, features.height, 24, 2) || !GetBits())
        return 0;
    // Rows with alpha are converted before they are composed; opaque ones
    // in the picture, once it is whole.
    const bool withAlpha = features.has_animation || features.has_alpha;
    const Chunk profile(demuxer.get(), "ICCP");
    SrgbConversion colours;
    if (withAlpha)
        colours.Prepare(profile.Bytes(), profile.Size(), PixelLayout::Bgra32);
    const bool decoded = features.has_animation ? demuxer && DecodeFirstFrame(data, colours, *this)
                                                : DecodeStill(file, features.has_alpha != 0, colours, *this);
    if (!decoded)
        return 0;
    if (!withAlpha)
        ConvertPictureToSrgb(*this, profile.Bytes(), profile.Size());
    const int orientation = OrientationOf(demuxer.get());
    return orientation == 1 || OrientPicture(*this, orientation) ? 1 : 0;
}
