#pragma once

#include <cstdint>

// A made-up landscape photograph: sky with clouds and a sun, a textured
// field below an uneven horizon, and sensor grain. Drawn from a formula of
// the picture's relative coordinates, so every size shows the same scene and
// nothing has to be kept in memory but one row. Deterministic.
//
// At dusk the same scene is darker and warmer, and every pixel carries the
// grain a phone's small sensor gives in little light: noise of its own in
// brightness and, weaker, in colour, a few percent of the range. Such grain
// spreads the pixels of each smooth area over many more colour cells.
class PhotoPicture {
  public:
    enum class Light { Day, Dusk };

    PhotoPicture(int width, int height, Light light = Light::Day) : width_(width), height_(height), light_(light) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Red, green, blue of row y (0 is the top row): 3 × width bytes.
    void Row(int y, uint8_t* rgb) const;
    // Opacity of row y: opaque in the middle, a soft edge, clear corners and
    // a clear band, so every compositing case occurs.
    void AlphaRow(int y, uint8_t* alpha) const;

  private:
    int width_;
    int height_;
    Light light_;
};
