#pragma once

// Every image of a GIF file decoded with the library's own LZW decoder and
// row writer. The parser reads the first image only; walking them all lets
// the conformance test and the fuzzer give the decoder every frame of an
// animation, with its local tables, offsets and interlacing.

#include "tests/native/MemoryPicture.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct GifFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlaced = false;
    bool localTable = false;
    int tableEntries = 0; // of the table the frame is drawn with, 0 for none
    // The frame's image data: the minimum code size byte and the sub-blocks.
    const uint8_t* data = nullptr;
    size_t dataSize = 0;
    int decodeResult = 0;  // of LzwDecoder::Decode
    MemoryPicture picture; // rows.bits stays null when the frame is too big
};

struct GifFrames {
    int screenWidth = 0;
    int screenHeight = 0;
    std::vector<GifFrame> frames;
};

// Reads up to maxFrames images; stops at the first block that is neither an
// extension nor an image. A frame whose pixel array would exceed
// maxPixelBytes is listed but not decoded.
GifFrames DecodeGifFrames(const uint8_t* bytes, size_t size, size_t maxFrames, uint64_t maxPixelBytes);
