#pragma once

#include "image/gif/PictureRows.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

// Puts decoded pixels of a GIF image into the picture's rows. The data's
// first line is the top row of the picture, which is the last row of the
// pixel array. Interlaced images arrive in four passes (every 8th line from
// 0, every 8th from 4, every 4th from 2, every 2nd from 1).
//
// Pixels are placed by their index in the data, so decoders working on
// different parts of one image may write at once: each writes only the
// bytes of its own pixels.
class GifRowWriter {
  public:
    GifRowWriter(const PictureRows& rows, bool interlaced);

    // Copies count pixels that start at index first of the data into their
    // rows. Returns 0, or -1 when some of them lie beyond the picture (those
    // before it are written), or kStopped, writing nothing, once the worker
    // was told to stop (framework/Worker.h).
    int Write(uint64_t first, const uint8_t* pixels, size_t count) const;
    static constexpr int kStopped = -2;

    uint64_t PixelCount() const;
    // True once the decoders wrote the data's last pixel: a file cut short
    // (an interrupted copy) would leave the rest of the picture black.
    bool Complete() const;

  private:
    // The array row of the data's line-th line, -1 beyond the picture.
    int ArrayRow(uint64_t line) const;

    PictureRows rows_;
    bool interlaced_;
    // The end of the furthest pixels written, by whichever thread.
    mutable std::atomic<uint64_t> reached_{0};
};
