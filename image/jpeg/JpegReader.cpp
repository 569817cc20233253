// Reading of JPEG files. Errors longjmp back to DecodeJpeg, so the functions
// in between keep only locals without destructors. Four-colour files are
// first written again as RGB (InkJpeg.h), since the quantiser takes RGB only.
#include "image/jpeg/JpegImage.h"

#include "image/DibSize.h"
#include "image/io/StdioFile.h"
#include "image/jpeg/InkJpeg.h"
#include "image/jpeg/JpegErrorManager.h"
#include "image/jpeg/JpegLines.h"

#include <cstdio>

namespace {

// What DecodeJpeg reads: an open file, or a JPEG held in memory.
struct JpegInput {
    FILE* file = nullptr;
    const uint8_t* bytes = nullptr;
    size_t size = 0;
};

// DecodeJpeg's answer for a four-colour file, which takes another road.
constexpr int kInkFile = -1;

int ReadJpeg(jpeg_decompress_struct& decoder, const JpegInput& input, CImageImpl& picture)
{
    jpeg_create_decompress(&decoder);
    if (input.file)
        jpeg_stdio_src(&decoder, input.file);
    else
        jpeg_mem_src(&decoder, input.bytes, static_cast<unsigned long>(input.size));
    jpeg_read_header(&decoder, TRUE);
    if (IsInkColorSpace(decoder.jpeg_color_space)) {
        jpeg_destroy_decompress(&decoder);
        return kInkFile;
    }
    RequestPalettedOutput(decoder);
    // Refuse absurd sizes before the library allocates its whole-image
    // buffers for two-pass quantisation.
    uint32_t imageBytes = 0;
    if (!DibImageBytes(8, static_cast<int>(decoder.image_width), static_cast<int>(decoder.image_height), imageBytes)) {
        jpeg_destroy_decompress(&decoder);
        return 0;
    }
    jpeg_start_decompress(&decoder);

    if (!picture.Create(static_cast<int>(decoder.output_width), static_cast<int>(decoder.output_height),
                        8 * decoder.output_components, -1) ||
        !picture.GetBits()) {
        jpeg_destroy_decompress(&decoder);
        return 0;
    }
    ReadOutputLines(decoder, picture);
    jpeg_destroy_decompress(&decoder);
    return 1;
}

int DecodeJpeg(const JpegInput& input, CImageImpl& picture)
{
    jpeg_decompress_struct decoder = {};
    JpegErrorManager errors;
    decoder.err = InstallJpegErrorManager(errors);
    if (setjmp(errors.recovery)) {
        jpeg_destroy_decompress(&decoder);
        return 0;
    }
    return ReadJpeg(decoder, input, picture);
}

} // namespace

int CJpegImage::Load(const std::string& name)
{
    const StdioFile file = OpenStdioFile(AdoptFileName(name), "rb");
    if (!file)
        return 0;
    JpegInput input;
    input.file = file.get();
    const int result = DecodeJpeg(input, *this);
    if (result != kInkFile)
        return result;

    std::rewind(file.get());
    JpegMemory rgb;
    if (!TranscodeInkToRgb(file.get(), rgb))
        return 0;
    JpegInput transcoded;
    transcoded.bytes = rgb.Data();
    transcoded.size = rgb.Size();
    return DecodeJpeg(transcoded, *this) == 1 ? 1 : 0;
}
