#include "image/gif/GifRowWriter.h"
#include "image/gif/LzwDecoder.h"
#include "image/io/ByteReader.h"
#include "tests/image/support/GifEncoder.h"
#include "tests/native/MemoryPicture.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Decodes a data stream (minimum code size byte + sub-blocks) into a picture
// one row high and returns the pixels decoded.
struct Decoded {
    int result = 0;
    std::vector<uint8_t> pixels;
};

Decoded DecodeStream(const std::vector<uint8_t>& stream, int width = 100000)
{
    MemoryPicture picture;
    picture.CreatePicture(width, 1);
    GifRowWriter rows(picture.rows, false);
    ByteReader reader(stream.data(), stream.size());
    LzwDecoder decoder;
    Decoded decoded;
    decoded.result = decoder.Decode(reader, width, rows);
    decoded.pixels.assign(picture.rows.bits, picture.rows.bits + width);
    return decoded;
}

std::vector<uint8_t> Stream(int minCodeSize, const std::vector<uint8_t>& codes)
{
    std::vector<uint8_t> stream{static_cast<uint8_t>(minCodeSize)};
    const std::vector<uint8_t> blocks = PackSubBlocks(codes);
    stream.insert(stream.end(), blocks.begin(), blocks.end());
    return stream;
}

// Tracks the code width a GIF decoder expects, so hand-made streams can be
// written at the right widths.
struct CodeWidths {
    explicit CodeWidths(int minCodeSize) : minCodeSize(minCodeSize) { Clear(); }
    void Clear()
    {
        size = minCodeSize + 1;
        next = (1 << minCodeSize) + 2;
        first = true;
    }
    void AfterDataCode()
    {
        if (first) {
            first = false;
            return;
        }
        if (next < (1 << size))
            ++next;
        if (next >= (1 << size) && size < 12)
            ++size;
    }
    int minCodeSize, size = 0, next = 0;
    bool first = true;
};

std::vector<uint8_t> Prefix(const std::vector<uint8_t>& pixels, size_t count)
{
    return std::vector<uint8_t>(pixels.begin(), pixels.begin() + static_cast<long>(count));
}

}  // namespace

TEST(LzwDecoder, CodeEqualToNextCodeRepeatsTheFirstByte)
{
    CodeWriter codes;
    codes.Put(4, 3);  // clear
    codes.Put(1, 3);
    codes.Put(6, 3);  // not yet in the table: "1" + its first byte
    codes.Put(6, 3);  // now it is
    codes.Put(5, 3);  // end
    const Decoded decoded = DecodeStream(Stream(2, codes.Finish()), 5);
    EXPECT_EQ(decoded.result, 0);
    EXPECT_EQ(decoded.pixels, (std::vector<uint8_t>{1, 1, 1, 1, 1}));
}

TEST(LzwDecoder, CodesBeyondTheTableRepeatThePreviousString)
{
    CodeWriter codes;
    codes.Put(4, 3);
    codes.Put(2, 3);
    codes.Put(7, 3);  // two beyond the table
    codes.Put(5, 3);
    const Decoded decoded = DecodeStream(Stream(2, codes.Finish()), 3);
    EXPECT_EQ(decoded.pixels, (std::vector<uint8_t>{2, 2, 2}));
}

TEST(LzwDecoder, FullTableKeepsTwelveBitsAndAddsNothingUntilAClear)
{
    CodeWriter codes;
    CodeWidths widths(2);
    codes.Put(4, widths.size);
    size_t pixels = 0;
    // Literal zeros fill the table: entry 6 onward all mean "0 0".
    while (widths.next < 4096) {
        codes.Put(0, widths.size);
        widths.AfterDataCode();
        ++pixels;
    }
    ASSERT_EQ(widths.size, 12);
    codes.Put(3, 12);     // table full: decoded, but no entry is made
    codes.Put(4095, 12);  // the last entry still means "0 0"
    codes.Put(4, 12);     // clear: back to 3 bits
    codes.Put(1, 3);
    codes.Put(5, 3);
    pixels += 1 + 2 + 1;
    const Decoded decoded = DecodeStream(Stream(2, codes.Finish()), static_cast<int>(pixels));
    EXPECT_EQ(decoded.result, 0);
    std::vector<uint8_t> expected(pixels, 0);
    expected[pixels - 4] = 3;
    expected[pixels - 1] = 1;
    EXPECT_EQ(decoded.pixels, expected);
}

TEST(LzwDecoder, EndsAtTheEndOfTheDataWithoutAnEndCode)
{
    CodeWriter codes;
    codes.Put(4, 3);
    codes.Put(1, 3);
    codes.Put(2, 3);
    std::vector<uint8_t> stream{2};
    const std::vector<uint8_t> bytes = codes.Finish();
    stream.push_back(static_cast<uint8_t>(bytes.size()));
    stream.insert(stream.end(), bytes.begin(), bytes.end());  // no terminator, no end code
    const Decoded decoded = DecodeStream(stream, 4);
    EXPECT_EQ(decoded.result, 0);
    EXPECT_EQ(Prefix(decoded.pixels, 2), (std::vector<uint8_t>{1, 2}));
}

TEST(LzwDecoder, RefusesMinimumCodeSizesOutsideTwoToNine)
{
    for (int size : {0, 1, 10, 12, 255})
        EXPECT_EQ(DecodeStream(Stream(size, {0, 0, 0}), 4).result, LzwDecoder::kBadCodeSize) << size;
}

TEST(LzwDecoder, RoundTripsEncodedDataThroughClearCodes)
{
    std::mt19937 random(7);
    for (int minCodeSize : {2, 4, 8}) {
        std::vector<uint8_t> pixels(60000);
        for (uint8_t& pixel : pixels)  // runs make long strings, noise fills the table
            pixel = static_cast<uint8_t>((random() % 3 == 0 ? random() : pixel) % (1u << minCodeSize));
        const Decoded decoded = DecodeStream(Stream(minCodeSize, LzwEncode(pixels, minCodeSize)),
                                             static_cast<int>(pixels.size()));
        EXPECT_EQ(decoded.result, 0);
        EXPECT_EQ(decoded.pixels, pixels) << minCodeSize;
    }
}

TEST(LzwDecoder, StopsWhenThePictureHasNoRowLeft)
{
    MemoryPicture picture;
    picture.CreatePicture(2, 2);
    GifRowWriter rows(picture.rows, false);
    const std::vector<uint8_t> stream = Stream(2, LzwEncode(std::vector<uint8_t>(50, 3), 2));
    ByteReader reader(stream.data(), stream.size());
    LzwDecoder decoder;
    EXPECT_EQ(decoder.Decode(reader, 2, rows), -1);
    EXPECT_EQ(picture.At(0, 0), 3);
    EXPECT_EQ(picture.At(1, 1), 3);
}
