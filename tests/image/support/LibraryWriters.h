#pragma once

// PNG and JPEG test files written through libpng and libjpeg themselves, so
// the reader is checked against the libraries' own encoders.

#include <cstdint>
#include <string>
#include <vector>

struct PngContents {
    int width = 0;
    int height = 0;
    int bitDepth = 8;
    int colorType = 2; // PNG numbering
    bool interlaced = false;
    std::vector<uint8_t> rows;    // top row first, packed as the file's rows
    std::vector<uint8_t> palette; // red, green, blue triples
    std::vector<uint8_t> alphas;  // tRNS entries of a paletted file
    int transparentGrey = -1;     // tRNS grey level of a grey file
    std::vector<uint8_t> exif;    // eXIf chunk, when not empty
    std::vector<uint8_t> profile; // iCCP chunk, when not empty
};

bool WriteTestPng(const std::string& path, const PngContents& contents);

struct PngPalette {
    bool present = false;
    std::vector<uint8_t> triples;
};

// The PLTE chunk of a PNG file, read back through libpng.
PngPalette ReadPngPalette(const std::string& path);

// How a colour JPEG lays out its data: the luma sampling (2 x 2 is 4:2:0,
// 2 x 1 4:2:2, 1 x 1 4:4:4), progressive scans, and a restart marker after
// every so many rows of blocks (0: none).
struct JpegLayout {
    int lumaWide = 2;
    int lumaHigh = 2;
    bool progressive = false;
    int restartRows = 0;
};

// What a JPEG carries besides its picture, when not empty: an APP1 segment
// (EXIF) and an ICC profile.
struct JpegSegments {
    std::vector<uint8_t> app1;
    std::vector<uint8_t> profile;
};

// A JPEG of 1 (grey) or 3 (RGB) components, rows top first.
bool WriteTestJpeg(const std::string& path, int width, int height, int components, const std::vector<uint8_t>& samples,
                   int quality = 95, const JpegLayout& layout = JpegLayout(),
                   const JpegSegments& segments = JpegSegments());

// How a four-colour JPEG stores its inks.
enum class InkStorage {
    None,      // no inks: a colour file
    AdobeCmyk, // Adobe marker, inverted values (255 = no ink), as Adobe's programs write them
    AdobeYcck, // the same inks colour-transformed to YCCK
    PlainCmyk, // no Adobe marker, ink amounts as they are
};

// A four-colour JPEG of the given RGB samples (rows top first), turned into
// inks with full black generation.
bool WriteTestInkJpeg(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb, InkStorage form);
