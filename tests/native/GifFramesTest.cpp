// The tools the conformance test and the GIF fuzz target stand on: the walk
// over every frame of a file, and the scan that tells what kind of stream an
// encoder wrote.
#include "tests/image/support/GifEncoder.h"
#include "tests/native/GifFrames.h"
#include "tests/native/LzwStreamTraits.h"

#include <gtest/gtest.h>

namespace {

GifContents Numbered(int width, int height)
{
    GifContents contents;
    contents.width = width;
    contents.height = height;
    contents.globalTable = RampTable(16);
    contents.minCodeSize = 4;
    for (int i = 0; i < width * height; ++i)
        contents.pixels.push_back(static_cast<uint8_t>(i % 16));
    return contents;
}

std::vector<uint8_t> Stream(int minCodeSize, CodeWriter& codes)
{
    std::vector<uint8_t> stream{static_cast<uint8_t>(minCodeSize)};
    const std::vector<uint8_t> blocks = PackSubBlocks(codes.Finish());
    stream.insert(stream.end(), blocks.begin(), blocks.end());
    return stream;
}

} // namespace

TEST(GifFrames, EveryFrameIsDecodedWithItsOwnPlaceAndTable)
{
    std::vector<uint8_t> file = EncodeGif(Numbered(4, 3));
    file.pop_back(); // the trailer: a second frame follows
    GifContents second = Numbered(2, 5);
    second.interlaced = true;
    second.localTable = RampTable(4);
    second.minCodeSize = 2;
    for (uint8_t& pixel : second.pixels)
        pixel %= 4;
    std::vector<uint8_t> more = EncodeGif(second);
    more[13 + second.globalTable.size() + 1] = 3; // left
    file.insert(file.end(), more.begin() + 13 + static_cast<long>(second.globalTable.size()), more.end());

    const GifFrames frames = DecodeGifFrames(file.data(), file.size(), 10, 1 << 20);
    ASSERT_EQ(frames.frames.size(), 2u);
    EXPECT_EQ(frames.screenWidth, 4);
    const GifFrame& last = frames.frames[1];
    EXPECT_EQ(last.left, 3);
    EXPECT_TRUE(last.interlaced && last.localTable);
    EXPECT_EQ(last.tableEntries, 4);
    EXPECT_EQ(last.decodeResult, 0);
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(last.picture.At(1, y), (y * 2 + 1) % 4) << y;
    EXPECT_EQ(frames.frames[0].picture.At(3, 2), 11);

    EXPECT_EQ(DecodeGifFrames(file.data(), file.size(), 1, 1 << 20).frames.size(), 1u);
    const GifFrames tooBig = DecodeGifFrames(file.data(), file.size(), 10, 8);
    EXPECT_EQ(tooBig.frames[0].picture.rows.bits, nullptr);
}

TEST(LzwStreamTraits, TellsLeadingAndDeferredClearsApart)
{
    CodeWriter eager;
    eager.Put(4, 3);
    eager.Put(1, 3);
    eager.Put(5, 3);
    const std::vector<uint8_t> simple = Stream(2, eager);
    const LzwStreamTraits plain = ScanLzwStream(simple.data(), simple.size());
    EXPECT_TRUE(plain.leadingClear);
    EXPECT_FALSE(plain.filledTable || plain.deferredClear || plain.beyondTable);

    // No clear at the start, then literals until the table is full, then one
    // more code at twelve bits before any clear.
    CodeWriter full;
    int size = 3;
    int next = 6;
    for (int i = 0; i < 4091; ++i) {
        full.Put(1, size);
        if (i > 0 && ++next == (1 << size) && size < 12)
            ++size;
    }
    ASSERT_EQ(next, 4096);
    full.Put(2, 12);
    full.Put(5, 12);
    const std::vector<uint8_t> stream = Stream(2, full);
    const LzwStreamTraits deferred = ScanLzwStream(stream.data(), stream.size());
    EXPECT_FALSE(deferred.leadingClear);
    EXPECT_TRUE(deferred.filledTable && deferred.deferredClear);
    EXPECT_FALSE(deferred.beyondTable);

    CodeWriter broken;
    broken.Put(4, 3);
    broken.Put(1, 3);
    broken.Put(7, 3); // one past the next free code, 6
    const std::vector<uint8_t> bad = Stream(2, broken);
    EXPECT_TRUE(ScanLzwStream(bad.data(), bad.size()).beyondTable);
}
