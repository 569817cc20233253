// Every truncation and many corruptions of small valid files must parse to a
// clean result. Built with AddressSanitizer and UBSan, any read or write
// outside a buffer fails the run; the loops are bounded by the input, so a
// hang shows up as a test timeout.

#include "image/bmp/BmpParser.h"
#include "image/gif/GifParser.h"
#include "image/io/ByteReader.h"
#include "tests/image/support/BmpBuilder.h"
#include "tests/image/support/GifEncoder.h"
#include "tests/native/MemoryPicture.h"

#include <gtest/gtest.h>

#include <random>

namespace {

void ParseBmp(const std::vector<uint8_t>& file)
{
    ByteReader reader(file.data(), file.size());
    BmpLayout layout;
    if (!ReadDibHeader(reader, layout))
        return;
    ASSERT_LE(layout.BlockBytes(), 512u * 1024 * 1024 + 2048);
    std::vector<uint8_t> pixels(layout.header.sizeImage);
    ReadDibPixels(reader, layout, pixels.data());
}

void ParseGif(const std::vector<uint8_t>& file)
{
    ByteReader reader(file.data(), file.size());
    MemoryPicture picture;
    ReadGif(reader, picture);
    EXPECT_LE(picture.createCount, 1);
}

std::vector<std::vector<uint8_t>> SampleBmps()
{
    std::vector<std::vector<uint8_t>> files;
    BmpContents eight;
    eight.width = 5;
    eight.height = 3;
    eight.bitCount = 8;
    eight.clrUsed = 4;
    eight.colorTable.assign(16, 0x40);
    eight.pixels.assign(24, 1);
    files.push_back(BuildBmp(eight));
    BmpContents core = eight;
    core.headerSize = 12;
    core.colorTable.assign(256 * 3, 7);
    files.push_back(BuildBmp(core));
    BmpContents v5;
    v5.headerSize = 124;
    v5.width = 3;
    v5.height = -2;
    v5.bitCount = 32;
    v5.compression = kBiBitfields;
    v5.masks = {0xFF0000, 0xFF00, 0xFF};
    v5.pixels.assign(24, 9);
    files.push_back(BuildBmp(v5));
    BmpContents rle = eight;
    rle.compression = kBiRle8;
    rle.pixels = {3, 1, 0, 0, 0, 1};
    files.push_back(BuildBmp(rle));
    return files;
}

std::vector<std::vector<uint8_t>> SampleGifs()
{
    std::vector<std::vector<uint8_t>> files;
    GifContents contents;
    contents.width = 7;
    contents.height = 5;
    contents.globalTable = RampTable(16);
    contents.minCodeSize = 4;
    contents.transparentIndex = 2;
    for (int i = 0; i < 35; ++i)
        contents.pixels.push_back(static_cast<uint8_t>(i % 16));
    files.push_back(EncodeGif(contents));
    contents.interlaced = true;
    contents.localTable = RampTable(16);
    files.push_back(EncodeGif(contents));
    return files;
}

// Each byte in turn replaced by a few telling values.
template <typename Parse> void FlipEveryByte(const std::vector<uint8_t>& file, Parse parse)
{
    for (size_t i = 0; i < file.size(); ++i) {
        for (uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            std::vector<uint8_t> corrupt = file;
            corrupt[i] = value;
            parse(corrupt);
        }
    }
}

} // namespace

TEST(MalformedInput, BmpTruncatedAtEveryLength)
{
    for (const std::vector<uint8_t>& file : SampleBmps())
        for (size_t length = 0; length <= file.size(); ++length)
            ParseBmp(std::vector<uint8_t>(file.begin(), file.begin() + static_cast<long>(length)));
}

TEST(MalformedInput, BmpWithCorruptedBytes)
{
    for (const std::vector<uint8_t>& file : SampleBmps())
        FlipEveryByte(file, ParseBmp);
}

TEST(MalformedInput, GifTruncatedAtEveryLength)
{
    for (const std::vector<uint8_t>& file : SampleGifs())
        for (size_t length = 0; length <= file.size(); ++length)
            ParseGif(std::vector<uint8_t>(file.begin(), file.begin() + static_cast<long>(length)));
}

TEST(MalformedInput, GifWithCorruptedBytes)
{
    for (const std::vector<uint8_t>& file : SampleGifs())
        FlipEveryByte(file, ParseGif);
}

TEST(MalformedInput, GifWithRandomImageData)
{
    std::mt19937 random(11);
    const std::vector<uint8_t> file = SampleGifs()[0];
    // Header, 16-entry table, graphic control block and image descriptor.
    const size_t imageData = 13 + 16 * 3 + 8 + 10;
    ASSERT_EQ(file[imageData - 10], 0x2C);
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> corrupt(file.begin(), file.begin() + static_cast<long>(imageData));
        corrupt.push_back(static_cast<uint8_t>(2 + random() % 8));
        for (int block = 0; block < 8; ++block) {
            corrupt.push_back(255);
            for (int i = 0; i < 255; ++i)
                corrupt.push_back(static_cast<uint8_t>(random()));
        }
        ParseGif(corrupt);
    }
}

TEST(MalformedInput, GifWithHugeDimensionsIsRefusedBeforeAllocating)
{
    GifContents contents;
    contents.width = 65535;
    contents.height = 65535;
    contents.globalTable = RampTable(2);
    contents.minCodeSize = 2;
    contents.pixels.assign(16, 1); // far less data than the picture would need
    std::vector<uint8_t> file = EncodeGif(contents);
    ByteReader reader(file.data(), file.size());
    MemoryPicture picture;
    ReadGif(reader, picture);
    EXPECT_EQ(picture.createCount, 1);
    EXPECT_EQ(picture.rows.bits, nullptr);
    EXPECT_EQ(picture.paletteSize, -1);
}

TEST(MalformedInput, GifWithEndlessSubBlocksEndsAtTheEndOfTheFile)
{
    GifContents contents;
    contents.width = 4;
    contents.height = 4;
    contents.globalTable = RampTable(4);
    contents.minCodeSize = 2;
    std::vector<uint8_t> file = EncodeGif(contents);
    file.resize(file.size() - 4); // drop the end of the data and the trailer
    // An extension that never terminates, and image data that never does.
    for (int i = 0; i < 20000; ++i) {
        file.push_back(255);
        file.insert(file.end(), 255, static_cast<uint8_t>(i));
    }
    ParseGif(file);

    std::vector<uint8_t> extension = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x21, 0xFE};
    for (int i = 0; i < 20000; ++i)
        extension.insert(extension.end(), 200, 199);
    ParseGif(extension);

    // Zero-pixel images and zero-length code streams.
    GifContents empty = contents;
    empty.width = 0;
    empty.pixels.clear();
    ParseGif(EncodeGif(empty));
}
