#pragma once

// A GIF file as giflib decodes it: every image it reads, each with the lines
// it decoded before an error (if any), the colour table it is drawn with and
// the transparent colour of its graphic control block.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ReferenceImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;     // width x height, top line first
    std::vector<bool> lineDecoded;   // per picture line
    std::vector<uint8_t> colorTable; // red, green, blue triples; empty for none
    int transparentIndex = -1;
};

struct ReferenceFile {
    bool opened = false;
    std::vector<ReferenceImage> images;
    int error = 0; // giflib's error code when it stopped early, else 0
    bool stoppedAtLargeImage = false;
};

// Decodes bytes with giflib: at most maxImages images, stopping before the
// first whose rows, padded to four bytes as the library pads them, would take
// more than maxBytes, or that is beyond the library's size bound.
ReferenceFile DecodeWithGiflib(const std::vector<uint8_t>& bytes, size_t maxImages, uint64_t maxBytes);

// giflib's text for one of its error codes.
std::string GiflibErrorText(int error);
