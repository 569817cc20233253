#pragma once
// Pixels described by an embedded ICC profile, turned into sRGB (the
// colours a desktop shows without colour management) by Little CMS with
// perceptual intent. Made once per picture, used for every row. A picture
// without a profile, with an sRGB one or with one the library refuses
// keeps its values and costs nothing. Free of windows.h.

#include <cstddef>
#include <cstdint>

enum class PixelLayout {
    Rgb24,     // red, green, blue
    Bgr24,     // blue, green, red: DIB rows
    Bgra32,    // blue, green, red, alpha (kept as it is)
    GreyToRgb, // grey levels in, red, green, blue out: a grey picture's palette
};

class SrgbConversion {
  public:
    SrgbConversion() = default;
    ~SrgbConversion();
    SrgbConversion(const SrgbConversion&) = delete;
    SrgbConversion& operator=(const SrgbConversion&) = delete;

    // Takes the profile's bytes (any bytes: a damaged profile converts
    // nothing) for pixels laid out as `layout`, replacing what was taken
    // before. A profile for other pixels than the layout's (a grey or ink
    // profile for colour rows) converts nothing either. Returns Converts().
    bool Prepare(const uint8_t* profile, size_t size, PixelLayout layout);

    // True when the pixels need converting: Convert does nothing otherwise.
    bool Converts() const { return transform != nullptr; }
    PixelLayout Layout() const { return layout; }

    // Converts count pixels from in to out, which may be in itself except
    // for GreyToRgb. Safe from several threads at once.
    void Convert(const uint8_t* in, uint8_t* out, size_t count) const;

  private:
    void Release();

    void* transform = nullptr;
    PixelLayout layout = PixelLayout::Rgb24;
};
