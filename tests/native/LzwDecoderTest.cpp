#include "image/gif/GifRowWriter.h"
#include "image/gif/GatheredCodes.h"
#include "image/gif/LzwDecoder.h"
#include "image/gif/LzwTwoParts.h"
#include "image/io/ByteReader.h"
#include "tests/image/support/GifEncoder.h"
#include "tests/native/GiflibReference.h"
#include "tests/native/LzwStreamTraits.h"
#include "tests/native/MemoryPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
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

// `stream` as the one image of a GIF file, for giflib. Nothing follows it:
// a stream cut short or without its terminator ends the file, for both
// decoders alike.
std::vector<uint8_t> GifFileAround(const std::vector<uint8_t>& stream, int width, int height, bool interlaced)
{
    const auto low = [](int value) { return static_cast<uint8_t>(value & 0xFF); };
    const auto high = [](int value) { return static_cast<uint8_t>(value >> 8); };
    std::vector<uint8_t> file = {'G',
                                 'I',
                                 'F',
                                 '8',
                                 '9',
                                 'a',
                                 low(width),
                                 high(width),
                                 low(height),
                                 high(height),
                                 0,
                                 0,
                                 0,
                                 ',',
                                 0,
                                 0,
                                 0,
                                 0,
                                 low(width),
                                 high(width),
                                 low(height),
                                 high(height),
                                 static_cast<uint8_t>(interlaced ? 0x40 : 0)};
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

// Writes code streams a hostile or broken encoder might: codes equal to and
// beyond the next free one, runs of the newest codes (long strings), clear
// and end codes anywhere, tables filled without a clear, at the code widths
// the decoder expects.
class HostileStream {
  public:
    HostileStream(std::mt19937& random, int minCodeSize) : random_(random), minCodeSize_(minCodeSize) {}

    std::vector<uint8_t> Codes(int count, int clearPercent, int beyondPercent)
    {
        const int clearCode = 1 << minCodeSize_;
        size_ = minCodeSize_ + 1;
        next_ = clearCode + 2;
        afterClear_ = true; // the start of the data counts as a clear
        for (int i = 0; i < count; ++i) {
            const int roll = Percent();
            if (roll < clearPercent) {
                Put(clearCode);
                size_ = minCodeSize_ + 1;
                next_ = clearCode + 2;
                afterClear_ = true;
                continue;
            }
            if (roll == 99 && Percent() < 10)
                Put(clearCode + 1); // an end code, usually followed by more data
            const int limit = 1 << size_;
            int code;
            if (roll < 20 && afterClear_ && beyondPercent == 0)
                code = 0; // the next free code is beyond the table until a first code came
            else if (roll < 20)
                code = next_ < limit ? next_ : next_ - 1;
            else if (roll < 20 + beyondPercent && next_ + 1 < limit)
                code = next_ + 1 + static_cast<int>(random_() % static_cast<unsigned>(limit - next_ - 1));
            else if (roll < 70)
                code = next_ - 1 - static_cast<int>(random_() % 3);
            else
                code = static_cast<int>(random_() % static_cast<unsigned>(clearCode));
            if (code == clearCode || code == clearCode + 1)
                code = 0;
            Put(code);
        }
        return writer_.Finish();
    }

  private:
    int Percent() { return static_cast<int>(random_() % 100); }
    void Put(int code)
    {
        writer_.Put(code, size_);
        const int clearCode = 1 << minCodeSize_;
        if (code == clearCode || code == clearCode + 1)
            return;
        if (afterClear_) {
            afterClear_ = false;
            return;
        }
        if (next_ < (1 << size_))
            ++next_;
        if (next_ >= (1 << size_) && size_ < 12)
            ++size_;
    }

    std::mt19937& random_;
    int minCodeSize_;
    CodeWriter writer_;
    int size_ = 0;
    int next_ = 0;
    bool afterClear_ = false;
};

// Sub-blocks of random lengths; sometimes cut short, without a terminator,
// or with an early one.
std::vector<uint8_t> RandomSubBlocks(std::mt19937& random, int minCodeSize, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> stream{static_cast<uint8_t>(minCodeSize)};
    for (size_t at = 0; at < data.size();) {
        size_t length = 1 + random() % 255;
        if (length > data.size() - at)
            length = data.size() - at;
        stream.push_back(static_cast<uint8_t>(length));
        stream.insert(stream.end(), data.begin() + static_cast<long>(at),
                      data.begin() + static_cast<long>(at + length));
        at += length;
        if (random() % 200 == 0)
            stream.push_back(0);
    }
    switch (random() % 4) {
    case 0:
        stream.resize(1 + random() % stream.size());
        break;
    case 1:
        break; // no terminator
    default:
        stream.push_back(0);
    }
    return stream;
}

} // namespace

TEST(LzwDecoder, CodeEqualToNextCodeRepeatsTheFirstByte)
{
    CodeWriter codes;
    codes.Put(4, 3); // clear
    codes.Put(1, 3);
    codes.Put(6, 3); // not yet in the table: "1" + its first byte
    codes.Put(6, 3); // now it is
    codes.Put(5, 3); // end
    const Decoded decoded = DecodeStream(Stream(2, codes.Finish()), 5);
    EXPECT_EQ(decoded.result, 0);
    EXPECT_EQ(decoded.pixels, (std::vector<uint8_t>{1, 1, 1, 1, 1}));
}

TEST(LzwDecoder, DataWithoutALeadingClearCodeStartsAnEmptyTable)
{
    // Some encoders begin with a data code. The start counts as a clear: the
    // first code makes no entry, so 258 is the first string made, "14 15".
    CodeWriter codes;
    codes.Put(14, 9);
    codes.Put(15, 9);
    codes.Put(15, 9);
    codes.Put(258, 9);
    codes.Put(257, 9);
    const Decoded decoded = DecodeStream(Stream(8, codes.Finish()), 5);
    EXPECT_EQ(decoded.result, 0);
    EXPECT_EQ(decoded.pixels, (std::vector<uint8_t>{14, 15, 15, 14, 15}));
}

TEST(LzwDecoder, CodesBeyondTheTableRepeatThePreviousString)
{
    CodeWriter codes;
    codes.Put(4, 3);
    codes.Put(2, 3);
    codes.Put(7, 3); // two beyond the table
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
    codes.Put(3, 12);    // table full: decoded, but no entry is made
    codes.Put(4095, 12); // the last entry still means "0 0"
    codes.Put(4, 12);    // clear: back to 3 bits
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
    stream.insert(stream.end(), bytes.begin(), bytes.end()); // no terminator, no end code
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
        // The widest row a picture may have; runs make long strings, noise fills the table.
        std::vector<uint8_t> pixels(32768);
        for (uint8_t& pixel : pixels)
            pixel = static_cast<uint8_t>((random() % 3 == 0 ? random() : pixel) % (1u << minCodeSize));
        const Decoded decoded =
            DecodeStream(Stream(minCodeSize, LzwEncode(pixels, minCodeSize)), static_cast<int>(pixels.size()));
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

TEST(LzwDecoder, StringsLongerThanALineStraddleInterlacedRows)
{
    // Long runs make strings of many eight-byte chunks, which end in the
    // middle of later lines, also of lines several passes apart.
    for (int width : {1, 3, 8, 9, 20}) {
        const int height = 11;
        std::vector<uint8_t> stored; // data lines in file order
        for (int i = 0; i < width * height; ++i)
            stored.push_back(static_cast<uint8_t>(i / 23 % 2 == 0 ? 7 : i % 5));
        MemoryPicture picture;
        picture.CreatePicture(width, height);
        GifRowWriter rows(picture.rows, true);
        const std::vector<uint8_t> stream = Stream(4, LzwEncode(stored, 4));
        ByteReader reader(stream.data(), stream.size());
        LzwDecoder decoder;
        ASSERT_EQ(decoder.Decode(reader, width, rows), 0) << width;
        const std::vector<int> order = InterlacedLineOrder(height);
        for (int k = 0; k < height; ++k)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(picture.At(x, order[k]), stored[k * width + x]) << width << " " << k << " " << x;
    }
}

// Does the second thread's work at once, before the first thread starts:
// as if it always won the race to the split, which real threads rarely do
// on streams this short.
bool RunAhead(CWorker&, std::function<void()> work)
{
    work();
    return true;
}

// Every line giflib decodes from a hostile stream comes out the same. The
// decoder under test copies strings in eight-byte chunks where giflib walks
// prefix chains one pixel at a time. Streams with codes beyond the table
// are decoded (under the sanitizers) but not compared: there the two differ
// on purpose (see CodesBeyondTheTableRepeatThePreviousString).
TEST(LzwDecoder, MatchesGiflibOnHostileStreamsOnOneThreadOrTwo)
{
    std::mt19937 random(2024);
    long long pixelsCompared = 0;
    for (int round = 0; round < 400; ++round) {
        const int minCodeSize = 2 + static_cast<int>(random() % 8);
        HostileStream maker(random, minCodeSize);
        const int clearPercent = round % 3 == 0 ? 0 : static_cast<int>(random() % 5);
        const int beyondPercent = round % 2 == 0 ? 0 : static_cast<int>(random() % 5);
        const std::vector<uint8_t> codes =
            maker.Codes(1 + static_cast<int>(random() % 6000), clearPercent, beyondPercent);
        const std::vector<uint8_t> stream = RandomSubBlocks(random, minCodeSize, codes);
        static const int kWidths[] = {1, 2, 3, 7, 8, 9, 17, 64, 255, 1000};
        const int width = kWidths[random() % 10];
        const int height = 1 + static_cast<int>(random() % static_cast<unsigned>(std::min(32768, 300000 / width)));
        const bool interlaced = random() % 2 == 0;

        MemoryPicture ours;
        ours.CreatePicture(width, height);
        GifRowWriter rows(ours.rows, interlaced);
        ByteReader reader(stream.data(), stream.size());
        auto decoder = std::make_unique<LzwDecoder>();
        decoder->Decode(reader, width, rows);

        // Two threads, split anywhere, give the very same pixels, also where
        // codes beyond the table make the second part depend on the first.
        ByteReader again(stream.data(), stream.size());
        GatheredCodes gathered;
        ASSERT_TRUE(gathered.Gather(again));
        MemoryPicture split;
        split.CreatePicture(width, height);
        GifRowWriter splitRows(split.rows, interlaced);
        const int upperPercent = 1 + static_cast<int>(random() % 99);
        DecodeInTwoParts(gathered.Codes(), splitRows, RunAhead, upperPercent);
        ASSERT_EQ(split.pixels, ours.pixels) << "round " << round;
        // And with the race run for real.
        MemoryPicture raced;
        raced.CreatePicture(width, height);
        GifRowWriter racedRows(raced.rows, interlaced);
        DecodeInTwoParts(
            gathered.Codes(), racedRows, [](CWorker& helper, auto work) { return helper.Start(std::move(work)); },
            upperPercent);
        ASSERT_EQ(raced.pixels, ours.pixels) << "round " << round;

        if (minCodeSize > 8 || ScanLzwStream(stream.data(), stream.size()).beyondTable)
            continue; // giflib takes code sizes up to 8
        const ReferenceFile theirs = DecodeWithGiflib(GifFileAround(stream, width, height, interlaced), 1, 1ull << 30);
        ASSERT_EQ(1u, theirs.images.size()) << "round " << round;
        const ReferenceImage& image = theirs.images[0];
        for (int y = 0; y < height; ++y) {
            if (!image.lineDecoded[static_cast<size_t>(y)])
                continue;
            pixelsCompared += width;
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(image.pixels[static_cast<size_t>(y) * width + x], ours.At(x, y))
                    << "round " << round << " line " << y << " pixel " << x;
        }
    }
    EXPECT_GT(pixelsCompared, 300000) << "the streams no longer reach far enough to compare";
}
