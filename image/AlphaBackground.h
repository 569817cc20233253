#pragma once
// The colour transparent and translucent pixels are composed on, in every
// format that carries alpha (PNG's reader gives libpng the same colour).

#include <cstdint>

constexpr uint8_t kAlphaBackgroundRed = 31;
constexpr uint8_t kAlphaBackgroundGreen = 127;
constexpr uint8_t kAlphaBackgroundBlue = 255;

// `colour` over `background` at `alpha`, rounded as libpng composes.
inline uint8_t ComposeOnBackground(uint8_t colour, uint8_t alpha, uint8_t background)
{
    const unsigned sum = unsigned{colour} * alpha + unsigned{background} * (255u - alpha) + 128u;
    return static_cast<uint8_t>((sum + (sum >> 8)) >> 8);
}

// One row of blue, green, red, alpha pixels into blue, green, red ones.
inline void ComposeBgraRow(const uint8_t* bgra, uint8_t* bgr, int width)
{
    for (int x = 0; x < width; ++x, bgra += 4, bgr += 3) {
        bgr[0] = ComposeOnBackground(bgra[0], bgra[3], kAlphaBackgroundBlue);
        bgr[1] = ComposeOnBackground(bgra[1], bgra[3], kAlphaBackgroundGreen);
        bgr[2] = ComposeOnBackground(bgra[2], bgra[3], kAlphaBackgroundRed);
    }
}
