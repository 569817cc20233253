#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The whole content of a file; empty when it cannot be read.
std::vector<uint8_t> ReadWholeFile(const std::string& path);

// The parts of a bottom-up BMP file (40-byte info header) that the checks
// compare: size, depth, colour table entries (blue, green, red, 0) and the
// padded pixel rows, bottom row first.
struct BmpContent {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    int rowStride = 0;
    std::vector<uint8_t> colorTable;
    std::vector<uint8_t> pixels;
};

// False (with a reason) when the file is no BMP of that form.
bool ReadBmpContent(const std::string& path, BmpContent& content, std::string& why);

// Empty when the two pictures hold the same indices and the same colours for
// every index in use; otherwise where they first differ.
std::string CompareIndexedBmps(const BmpContent& ours, const BmpContent& peer);

// Empty when the two rows-of-pixels pictures hold equal bytes in every row
// (width × bytesPerPixel bytes of each row; padding is not compared).
std::string CompareRows(const uint8_t* ours, int oursStride, const uint8_t* peer, int peerStride, int width, int height,
                        int bytesPerPixel);
