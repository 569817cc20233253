#pragma once

#include "framework/Worker.h"
#include "image/gif/PictureRows.h"

#include <cstdint>
#include <functional>

class ByteReader;

// Receives what the GIF parser finds. One call per picture, never per pixel.
class GifPictureSink {
  public:
    virtual ~GifPictureSink() = default;
    // An 8-bit picture of width x height; bits stays null when it is refused.
    virtual PictureRows CreatePicture(int width, int height) = 0;
    virtual void SetPalette(int count, const uint8_t* reds, const uint8_t* greens, const uint8_t* blues) = 0;
    virtual void SetTransparentIndex(int index) = 0;
    // Starts work on a second thread, kept in helper, for a large picture;
    // false (the default) when the machine has no processor to spare.
    virtual bool StartHelper(CWorker& helper, std::function<void()> work)
    {
        (void)helper;
        (void)work;
        return false;
    }
};

// The palette a picture gets from a GIF colour table of tableSize entries
// (red, green, blue triples). Returns the palette size. With a transparent
// index the palette has 256 entries for masked drawing: the transparent one
// black, the ones beyond the table white, and entry 255 white unless the
// file's table held white already (the transparent entry included, although
// it turns black).
int BuildGifPalette(const uint8_t* table, int tableSize, int transparentIndex, uint8_t reds[256], uint8_t greens[256],
                    uint8_t blues[256]);

// Incomplete: the first image stops before its last pixel (its data ends
// early, as in an interrupted copy, or the worker was told to stop).
enum class GifReadResult { NotGif, Read, Incomplete };

// Parses a GIF file (87a or 89a) and decodes its first image into the sink.
// Anything after a malformed block is ignored; a file that starts with
// "GIF8" counts as read unless its first image is incomplete.
GifReadResult ReadGif(ByteReader& file, GifPictureSink& picture);
