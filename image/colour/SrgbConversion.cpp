#include "image/colour/SrgbConversion.h"

#include <cmath>
#include <initializer_list>
#include <memory>

#include <lcms2.h>

namespace {

// A profile the library refuses is no fault of the picture: nothing is
// shown or logged.
void IgnoreProfileErrors(cmsContext, cmsUInt32Number, const char*) {}

struct ProfileCloser {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

bool SameColorant(const cmsCIEXYZ* a, const cmsCIEXYZ* b)
{
    constexpr double kTolerance = 0.002;
    return a && b && std::fabs(a->X - b->X) < kTolerance && std::fabs(a->Y - b->Y) < kTolerance &&
           std::fabs(a->Z - b->Z) < kTolerance;
}

bool SameCurve(const cmsToneCurve* a, const cmsToneCurve* b)
{
    if (!a || !b)
        return false;
    for (const float level : {0.02f, 0.1f, 0.3f, 0.5f, 0.7f, 0.9f})
        if (std::fabs(cmsEvalToneCurveFloat(a, level) - cmsEvalToneCurveFloat(b, level)) > 0.002f)
            return false;
    return true;
}

// sRGB under whatever name or version: the primaries and tone curves of
// the library's own sRGB. Such pictures pass untouched, and so bit for bit.
bool IsSrgb(cmsHPROFILE profile)
{
    const Profile srgb(cmsCreate_sRGBProfile());
    if (!srgb)
        return false;
    for (const cmsTagSignature tag : {cmsSigRedColorantTag, cmsSigGreenColorantTag, cmsSigBlueColorantTag})
        if (!SameColorant(static_cast<const cmsCIEXYZ*>(cmsReadTag(profile, tag)),
                          static_cast<const cmsCIEXYZ*>(cmsReadTag(srgb.get(), tag))))
            return false;
    for (const cmsTagSignature tag : {cmsSigRedTRCTag, cmsSigGreenTRCTag, cmsSigBlueTRCTag})
        if (!SameCurve(static_cast<const cmsToneCurve*>(cmsReadTag(profile, tag)),
                       static_cast<const cmsToneCurve*>(cmsReadTag(srgb.get(), tag))))
            return false;
    return true;
}

cmsUInt32Number InputFormat(PixelLayout layout)
{
    switch (layout) {
    case PixelLayout::Bgr24:
        return TYPE_BGR_8;
    case PixelLayout::Bgra32:
        return TYPE_BGRA_8;
    case PixelLayout::GreyToRgb:
        return TYPE_GRAY_8;
    default:
        return TYPE_RGB_8;
    }
}

} // namespace

SrgbConversion::~SrgbConversion()
{
    Release();
}

void SrgbConversion::Release()
{
    if (transform)
        cmsDeleteTransform(transform);
    transform = nullptr;
}

bool SrgbConversion::Prepare(const uint8_t* profileBytes, size_t size, PixelLayout newLayout)
{
    static const bool quiet = (cmsSetLogErrorHandler(IgnoreProfileErrors), true);
    (void)quiet;
    Release();
    layout = newLayout;
    if (!profileBytes || size == 0 || size > 0xFFFFFFFFu)
        return false;
    const Profile profile(cmsOpenProfileFromMem(profileBytes, static_cast<cmsUInt32Number>(size)));
    if (!profile)
        return false;
    const bool grey = layout == PixelLayout::GreyToRgb;
    if (cmsGetColorSpace(profile.get()) != (grey ? cmsSigGrayData : cmsSigRgbData))
        return false;
    if (!grey && IsSrgb(profile.get()))
        return false;
    const Profile srgb(cmsCreate_sRGBProfile());
    if (!srgb)
        return false;
    const cmsUInt32Number input = InputFormat(layout);
    const cmsUInt32Number output = grey ? TYPE_RGB_8 : input;
    // No one-pixel cache: the two decoders of one picture convert at once.
    cmsUInt32Number flags = cmsFLAGS_NOCACHE;
    if (layout == PixelLayout::Bgra32)
        flags |= cmsFLAGS_COPY_ALPHA;
    transform = cmsCreateTransform(profile.get(), input, srgb.get(), output, INTENT_PERCEPTUAL, flags);
    return transform != nullptr;
}

void SrgbConversion::Convert(const uint8_t* in, uint8_t* out, size_t count) const
{
    if (transform && count > 0)
        cmsDoTransform(transform, in, out, static_cast<cmsUInt32Number>(count));
}
