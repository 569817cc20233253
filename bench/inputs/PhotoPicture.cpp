#include "inputs/PhotoPicture.h"

#include <algorithm>
#include <cmath>

namespace {

uint32_t Hash(int x, int y, uint32_t seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return h;
}

float Lattice(int x, int y, uint32_t seed)
{
    return static_cast<float>(Hash(x, y, seed) & 0xFFFF) / 65535.0f;
}

float Smooth(float t)
{
    return t * t * (3 - 2 * t);
}

// Value noise in [0, 1], smooth between integer lattice points.
float Noise(float u, float v, uint32_t seed)
{
    const float fu = std::floor(u);
    const float fv = std::floor(v);
    const int x = static_cast<int>(fu);
    const int y = static_cast<int>(fv);
    const float tu = Smooth(u - fu);
    const float tv = Smooth(v - fv);
    const float top = Lattice(x, y, seed) + (Lattice(x + 1, y, seed) - Lattice(x, y, seed)) * tu;
    const float bottom = Lattice(x, y + 1, seed) + (Lattice(x + 1, y + 1, seed) - Lattice(x, y + 1, seed)) * tu;
    return top + (bottom - top) * tv;
}

// Noise summed over octaves of doubling frequency and halving weight.
float Fractal(float u, float v, int octaves, uint32_t seed)
{
    float sum = 0;
    float weight = 0.5f;
    float total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += Noise(u, v, seed + static_cast<uint32_t>(octave)) * weight;
        total += weight;
        u *= 2.03f;
        v *= 2.03f;
        weight *= 0.5f;
    }
    return sum / total;
}

float Mix(float a, float b, float t)
{
    return a + (b - a) * t;
}

float SmoothStep(float edge0, float edge1, float x)
{
    return Smooth(std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f));
}

// Roughly normal noise of standard deviation 1: the sum of four uniform
// values, centred and scaled.
float Gaussian(int x, int y, uint32_t seed)
{
    const uint32_t h = Hash(x, y, seed);
    const float sum = static_cast<float>((h & 0xFF) + (h >> 8 & 0xFF) + (h >> 16 & 0xFF) + (h >> 24));
    return (sum - 510.0f) / 147.2f;
}

uint8_t ToByte(float value)
{
    return static_cast<uint8_t>(std::clamp(value, 0.0f, 255.0f) + 0.5f);
}

} // namespace

void PhotoPicture::Row(int y, uint8_t* rgb) const
{
    const float v = (static_cast<float>(y) + 0.5f) / static_cast<float>(height_);
    for (int x = 0; x < width_; ++x) {
        const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(width_);
        const float horizon = 0.45f + 0.05f * std::sin(u * 7.0f) + 0.08f * (Fractal(u * 5, 0.5f, 4, 11) - 0.5f);
        float r;
        float g;
        float b;
        if (v < horizon) {
            const float t = v / horizon;
            r = Mix(45, 185, t);
            g = Mix(95, 210, t);
            b = Mix(175, 235, t);
            const float cloud = SmoothStep(0.5f, 0.75f, Fractal(u * 6, v * 9, 6, 23)) * 0.85f;
            r = Mix(r, 242, cloud);
            g = Mix(g, 242, cloud);
            b = Mix(b, 245, cloud);
            const float du = (u - 0.76f) * 1.5f;
            const float dv = v - 0.17f;
            const float sun = std::exp(-(du * du + dv * dv) * 900.0f);
            r = Mix(r, 255, sun);
            g = Mix(g, 250, sun);
            b = Mix(b, 225, sun);
        } else {
            const float depth = (v - horizon) / (1 - horizon);
            const float patch = Fractal(u * 3, v * 3, 3, 37);
            const float texture = Fractal(u * 60, v * 45 / (0.3f + depth), 5, 51);
            const float light = 0.45f + 0.9f * texture * (0.6f + 0.4f * depth);
            r = Mix(70, 135, patch) * light;
            g = Mix(120, 95, patch) * light;
            b = Mix(40, 55, patch) * light;
        }
        if (light_ == Light::Dusk) {
            // Less light, warmer; brightness grain of about 4 % of the range
            // and colour grain of about 2.5 % per channel.
            const float luma = 9.0f * Gaussian(x, y, 131);
            r = r * 0.62f + luma + 6.0f * Gaussian(x, y, 137);
            g = g * 0.52f + luma + 5.0f * Gaussian(x, y, 139);
            b = b * 0.50f + luma + 7.0f * Gaussian(x, y, 149);
            rgb[x * 3 + 0] = ToByte(r);
            rgb[x * 3 + 1] = ToByte(g);
            rgb[x * 3 + 2] = ToByte(b);
            continue;
        }
        const float grain = static_cast<float>(Hash(x, y, 97) % 13) - 6.0f;
        rgb[x * 3 + 0] = ToByte(r + grain);
        rgb[x * 3 + 1] = ToByte(g + grain);
        rgb[x * 3 + 2] = ToByte(b + grain);
    }
}

void PhotoPicture::AlphaRow(int y, uint8_t* alpha) const
{
    const float v = (static_cast<float>(y) + 0.5f) / static_cast<float>(height_);
    for (int x = 0; x < width_; ++x) {
        const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(width_);
        const float du = u - 0.5f;
        const float dv = v - 0.5f;
        const float distance = std::sqrt(du * du + dv * dv);
        float opacity = 1 - SmoothStep(0.35f, 0.6f, distance);
        if (u > 0.1f && u < 0.14f)
            opacity = 0;
        alpha[x] = ToByte(opacity * 255);
    }
}
