#pragma once

#include "image/quantize/InverseColorMap.h"
#include "image/quantize/QuantizedPalette.h"

#include <cstdint>
#include <memory>

// Floyd-Steinberg error diffusion onto a palette, row after row from the
// top, left to right on even rows and right to left on odd ones. Each
// pixel's error goes 7/16 to the next pixel of its row and 3/16, 5/16 and
// 1/16 to the three below it, and is damped first: errors up to 16 levels
// pass whole, up to 48 by half, anything larger counts as 32, so a large
// error cannot smear across a sharp edge. Exactly libjpeg's dithering, to
// the last bit.
//
// Every pixel depends on the one before it in this serpentine order (the
// first pixel of a row on the last of the row above, which the row below
// starts next to), so no second thread can start a row before the one above
// is done, nor a later part of the picture with errors it cannot know: the
// rows cannot be shared among threads without changing the result. The
// time therefore goes into shortening that chain, and into doing the rest
// of the work beside it: what the row above spreads to a pixel is summed a
// few columns ahead, while the chain waits on its table look-ups.
class FloydSteinberg {
  public:
    FloydSteinberg(const QuantizedPalette& palette, InverseColorMap& nearest, int width);
    FloydSteinberg(const FloydSteinberg&) = delete;
    FloydSteinberg& operator=(const FloydSteinberg&) = delete;

    // A level plus a damped error lies within -kLevelOffset and 255 +
    // kLevelOffset.
    static constexpr int kLevelOffset = 32;

    // The next row: width pixels of red, green, blue in, palette indices out.
    void DitherRow(const uint8_t* rgb, uint8_t* indices);

  private:
    // A cell's nearest colour as the chain needs it: its index, and seven
    // times its levels negated, the 7/16 share of its error that the next
    // pixel's sum loses (times 16).
    struct Choice {
        int16_t lessSeven[3];
        uint8_t index;
        uint8_t known;
    };

  public:
    static constexpr uint32_t kChoiceBytes = sizeof(Choice);

  private:
    template <int step> void ChooseColors(const uint8_t* rgb, uint8_t* indices);
    // Sums into fromAbove what column x receives from aboveErrors.
    template <int step> void Receive(int x);
    // The choice at that byte of the choices table, worked out the first
    // time.
    const Choice& ChoiceAt(const uint8_t* at);

    InverseColorMap& nearest;
    const int width;
    // The palette's colours, red, green, blue, one unused.
    alignas(16) int16_t colors[256][4];
    // By a cell's place in the inverse colour map.
    std::unique_ptr<Choice[]> choices;
    // By red's level plus a damped error: where in choices red's share of
    // a cell's place leads.
    const uint8_t* redChoices[256 + 2 * kLevelOffset];
    // Per column, kEdge more on either side so the edges need no test, red,
    // green, blue and one unused: what this row receives from the row above
    // (times 16), and the errors of this row's and the above row's pixels
    // (their limited levels less their colours; 0 in the margins).
    static constexpr int kEdge = 3;
    std::unique_ptr<int16_t[]> errors;
    int16_t* fromAbove;
    int16_t* rowErrors;
    int16_t* aboveErrors;
    bool rightToLeft = false;
};
