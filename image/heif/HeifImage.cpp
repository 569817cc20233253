#include "image/heif/HeifImage.h"

#include "framework/Worker.h"
#include "image/AlphaBackground.h"
#include "image/DibSize.h"
#include "image/ImageFileType.h"
#include "image/MissingDecoders.h"
#include "image/colour/SrgbConversion.h"
#include "image/heif/HeifLibrary.h"
#include "image/io/WholeFile.h"

// For the declarations only: the functions are found in the DLL at run time.
#include <libheif/heif.h>

#include <memory>
#include <vector>

namespace {

// The few functions of libheif.dll this reader calls.
struct HeifApi {
#define HEIF_FUNCTION(name) decltype(&::name) name = library.Find<decltype(&::name)>(#name)
    const HeifLibrary& library = HeifLibrary::Get();
    HEIF_FUNCTION(heif_init);
    HEIF_FUNCTION(heif_context_alloc);
    HEIF_FUNCTION(heif_context_free);
    HEIF_FUNCTION(heif_context_read_from_memory_without_copy);
    HEIF_FUNCTION(heif_context_get_primary_image_handle);
    HEIF_FUNCTION(heif_image_handle_release);
    HEIF_FUNCTION(heif_image_handle_get_width);
    HEIF_FUNCTION(heif_image_handle_get_height);
    HEIF_FUNCTION(heif_image_handle_has_alpha_channel);
    HEIF_FUNCTION(heif_image_handle_get_color_profile_type);
    HEIF_FUNCTION(heif_image_handle_get_raw_color_profile_size);
    HEIF_FUNCTION(heif_image_handle_get_raw_color_profile);
    HEIF_FUNCTION(heif_decoding_options_alloc);
    HEIF_FUNCTION(heif_decoding_options_free);
    HEIF_FUNCTION(heif_decode_image);
    HEIF_FUNCTION(heif_image_release);
    HEIF_FUNCTION(heif_image_get_width);
    HEIF_FUNCTION(heif_image_get_height);
    HEIF_FUNCTION(heif_image_get_plane);
#undef HEIF_FUNCTION
    // Plugins registered once a run; the library is never let go of.
    const bool ready = heif_init && heif_context_alloc && heif_context_free &&
                       heif_context_read_from_memory_without_copy && heif_context_get_primary_image_handle &&
                       heif_image_handle_release && heif_image_handle_get_width && heif_image_handle_get_height &&
                       heif_image_handle_has_alpha_channel && heif_image_handle_get_color_profile_type &&
                       heif_image_handle_get_raw_color_profile_size && heif_image_handle_get_raw_color_profile &&
                       heif_decoding_options_alloc && heif_decoding_options_free && heif_decode_image &&
                       heif_image_release && heif_image_get_width && heif_image_get_height && heif_image_get_plane &&
                       heif_init(nullptr).code == heif_error_Ok;

    static const HeifApi& Get()
    {
        static const HeifApi api;
        return api;
    }
};

// Owners of libheif's objects.
struct ContextFree {
    void operator()(heif_context* context) const { HeifApi::Get().heif_context_free(context); }
};
struct HandleFree {
    void operator()(heif_image_handle* handle) const { HeifApi::Get().heif_image_handle_release(handle); }
};
struct ImageFree {
    void operator()(heif_image* image) const { HeifApi::Get().heif_image_release(image); }
};
struct OptionsFree {
    void operator()(heif_decoding_options* options) const { HeifApi::Get().heif_decoding_options_free(options); }
};

// The ICC profile of the `colr` box; empty for none or a colour-space
// description without one.
std::vector<uint8_t> IccProfile(const HeifApi& api, const heif_image_handle* handle)
{
    const heif_color_profile_type type = api.heif_image_handle_get_color_profile_type(handle);
    if (type != heif_color_profile_type_prof && type != heif_color_profile_type_rICC)
        return {};
    std::vector<uint8_t> profile(api.heif_image_handle_get_raw_color_profile_size(handle));
    if (profile.empty() || api.heif_image_handle_get_raw_color_profile(handle, profile.data()).code != heif_error_Ok)
        return {};
    return profile;
}

// Red, green, blue (alpha) rows, top first, into the picture's bottom-up
// blue, green, red rows: turned into sRGB as the profile says, translucent
// pixels composed on the background after that (it is sRGB already).
// Swaps red and blue of count pixels of `Channels` bytes from in to out
// (which may be in itself); a loop per pixel size, so it is unrolled.
template <int Channels> void SwapRedBlue(const uint8_t* in, uint8_t* out, int count)
{
    for (int x = 0; x < count; ++x, in += Channels, out += Channels) {
        const uint8_t red = in[0];
        out[0] = in[2];
        out[1] = in[1];
        out[2] = red;
        if (Channels == 4)
            out[3] = in[3];
    }
}

void PlaceRows(uint8_t* rows, int stride, bool alpha, const std::vector<uint8_t>& profile, CImageImpl& picture)
{
    SrgbConversion colours;
    colours.Prepare(profile.data(), profile.size(), alpha ? PixelLayout::Bgra32 : PixelLayout::Bgr24);
    const int width = picture.GetWidth(), height = picture.GetHeight();
    for (int y = 0; y < height; ++y) {
        uint8_t* in = rows + static_cast<size_t>(y) * stride;
        uint8_t* out = picture.GetBits() + static_cast<size_t>(height - 1 - y) * picture.GetRowStride();
        if (alpha) {
            SwapRedBlue<4>(in, in, width);
            colours.Convert(in, in, static_cast<size_t>(width));
            ComposeBgraRow(in, out, width);
        } else {
            SwapRedBlue<3>(in, out, width);
            colours.Convert(out, out, static_cast<size_t>(width));
        }
    }
}

} // namespace

int CHeifImage::Load(const std::string& name)
{
    const std::string path = AdoptFileName(name);
    const HeifApi& api = HeifApi::Get();
    if (!api.ready) {
        NoteMissingDecoder(PictureFormatName(path));
        return 0;
    }
    WholeFile file;
    const std::unique_ptr<heif_context, ContextFree> context(api.heif_context_alloc());
    if (!file.Open(path) || !context ||
        api.heif_context_read_from_memory_without_copy(context.get(), file.Data(), file.Size(), nullptr).code !=
            heif_error_Ok)
        return 0;
    heif_image_handle* primary = nullptr;
    if (api.heif_context_get_primary_image_handle(context.get(), &primary).code != heif_error_Ok)
        return 0;
    const std::unique_ptr<heif_image_handle, HandleFree> handle(primary);
    // The size the file declares (turned as it will be shown), before
    // anything is decoded; libheif's own limits stay as they are.
    uint32_t imageBytes = 0;
    if (!PictureSizeAllowed(api.heif_image_handle_get_width(primary), api.heif_image_handle_get_height(primary)) ||
        !DibImageBytes(24, api.heif_image_handle_get_width(primary), api.heif_image_handle_get_height(primary),
                       imageBytes) ||
        StopRequested())
        return 0;
    const bool alpha = api.heif_image_handle_has_alpha_channel(primary) != 0;
    const std::unique_ptr<heif_decoding_options, OptionsFree> options(api.heif_decoding_options_alloc());
    if (!options)
        return 0;
    // The file's own turns and mirrors (irot, imir) are applied here; its
    // EXIF copy of the orientation describes the stored picture and is
    // never applied on top of them.
    options->ignore_transformations = 0;
    options->convert_hdr_to_8bit = 1;
    options->strict_decoding = 1; // a damaged or cut picture is refused, not shown in part
    heif_image* decoded = nullptr;
    const heif_error error =
        api.heif_decode_image(primary, &decoded, heif_colorspace_RGB,
                              alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get());
    const std::unique_ptr<heif_image, ImageFree> image(decoded);
    if (error.code != heif_error_Ok || !decoded)
        return 0;
    const int width = api.heif_image_get_width(decoded, heif_channel_interleaved);
    const int height = api.heif_image_get_height(decoded, heif_channel_interleaved);
    int stride = 0;
    uint8_t* rows = api.heif_image_get_plane(decoded, heif_channel_interleaved, &stride);
    if (!rows || stride < width * (alpha ? 4 : 3) || StopRequested() || !PictureSizeAllowed(width, height) ||
        !DibImageBytes(24, width, height, imageBytes) || !Create(width, height, 24, 2) || !GetBits())
        return 0;
    PlaceRows(rows, stride, alpha, IccProfile(api, primary), *this);
    return 1;
}
