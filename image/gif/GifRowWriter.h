#pragma once

#include "image/gif/PictureRows.h"

// Puts decoded lines of a GIF image into the picture's rows: the first line
// is the top row of the picture, which is the last row of the pixel array.
// Interlaced images arrive in four passes (every 8th line from 0, every 8th
// from 4, every 4th from 2, every 2nd from 1).
class GifRowWriter {
  public:
    GifRowWriter(const PictureRows& rows, bool interlaced);

    // Copies count pixels (at most the picture width) into the next row.
    // Returns 0, or -1 when the picture has no row left for them.
    int WriteLine(const uint8_t* pixels, int count);

  private:
    void StartNextPass();

    PictureRows rows_;
    bool interlaced_;
    int row_;      // next array row of a plain image
    int line_ = 0; // next picture line of an interlaced image
    int step_ = 8;
    int pass_ = 0; // 4 once every pass is done
};
