#pragma once

// A small GIF writer for the tests: real LZW compression (with clear codes
// when the table fills), optional interlacing, local or global tables and a
// graphic control block, so every test states exactly what its file holds.

#include <cstdint>
#include <string>
#include <vector>

// Packs codes least significant bit first, as GIF data does.
class CodeWriter {
  public:
    void Put(int code, int bits);
    std::vector<uint8_t> Finish();

  private:
    std::vector<uint8_t> bytes_;
    uint32_t reservoir_ = 0;
    int reservoirBits_ = 0;
};

// LZW code stream (without sub-blocks) for pixel indices.
std::vector<uint8_t> LzwEncode(const std::vector<uint8_t>& pixels, int minCodeSize);

// Splits data into sub-blocks of at most 255 bytes and adds the terminator.
std::vector<uint8_t> PackSubBlocks(const std::vector<uint8_t>& data);

struct GifContents {
    std::string signature = "GIF89a";
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;      // top row first, width x height indices
    std::vector<uint8_t> globalTable; // red, green, blue triples; size a power of 2
    std::vector<uint8_t> localTable;
    int transparentIndex = -1; // written in a graphic control block when >= 0
    bool interlaced = false;
    int minCodeSize = 8;
};

std::vector<uint8_t> EncodeGif(const GifContents& contents);

// Picture lines in the order an interlaced GIF stores them.
std::vector<int> InterlacedLineOrder(int height);

// Builds a colour table of entries triples, entry i = (i, 255 - i, i / 2)
// unless overridden afterwards.
std::vector<uint8_t> RampTable(int entries);
