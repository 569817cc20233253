// WebP files made here with libwebp's own encoder, read back through the
// picture object and held against libwebp's own decoding of the same bytes.
#include "image/AlphaBackground.h"
#include "image/ImageObject.h"
#include "tests/image/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <webp/decode.h>
#include <webp/encode.h>

using testing_support::TempFolder;

namespace {

// A WebP file of blue, green, red, alpha samples; quality < 0: lossless.
std::vector<uint8_t> Encode(const std::vector<uint8_t>& bgra, int w, int h, int quality)
{
    uint8_t* output = nullptr;
    const size_t size = quality < 0 ? WebPEncodeLosslessBGRA(bgra.data(), w, h, w * 4, &output)
                                    : WebPEncodeBGRA(bgra.data(), w, h, w * 4, static_cast<float>(quality), &output);
    std::vector<uint8_t> bytes(output, output + size);
    WebPFree(output);
    return bytes;
}

// Blue, green, red, alpha samples of a w x h picture with fine detail.
std::vector<uint8_t> Samples(int w, int h, bool translucent)
{
    std::vector<uint8_t> bgra;
    for (int i = 0; i < w * h; ++i) {
        bgra.insert(bgra.end(), {static_cast<uint8_t>(i * 7), static_cast<uint8_t>(i * 13 + 5),
                                 static_cast<uint8_t>(i * 29 + 11), static_cast<uint8_t>(translucent ? i * 37 : 255)});
    }
    return bgra;
}

// The VP8X container around a lossless picture, with an EXIF chunk that
// holds only the orientation tag.
std::vector<uint8_t> WithOrientation(const std::vector<uint8_t>& simple, int w, int h, int orientation)
{
    const auto put = [](std::vector<uint8_t>& out, uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    std::vector<uint8_t> exif = {'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 1, 3, 0, 1, 0, 0, 0};
    put(exif, static_cast<uint32_t>(orientation), 4);
    put(exif, 0, 4);
    std::vector<uint8_t> body = {'W', 'E', 'B', 'P', 'V', 'P', '8', 'X'};
    put(body, 10, 4);
    put(body, 0x08, 4); // an EXIF chunk follows
    put(body, static_cast<uint32_t>(w - 1), 3);
    put(body, static_cast<uint32_t>(h - 1), 3);
    body.insert(body.end(), simple.begin() + 12, simple.end()); // the VP8L chunk
    body.insert(body.end(), {'E', 'X', 'I', 'F'});
    put(body, static_cast<uint32_t>(exif.size()), 4);
    body.insert(body.end(), exif.begin(), exif.end());
    std::vector<uint8_t> file = {'R', 'I', 'F', 'F'};
    put(file, static_cast<uint32_t>(body.size()), 4);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// Every pixel of the picture against blue, green, red rows (top first).
std::string Mismatch(const CImageObject& picture, const uint8_t* bgr, int w, int h)
{
    if (picture.GetWidth() != w || picture.GetHeight() != h || picture.GetBitCount() != 24)
        return "size " + std::to_string(picture.GetWidth()) + " x " + std::to_string(picture.GetHeight());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t r = 0, g = 0, b = 0;
            picture.GetPixelColor(x, h - 1 - y, r, g, b);
            const uint8_t* want = bgr + (static_cast<size_t>(y) * w + x) * 3;
            if (b != want[0] || g != want[1] || r != want[2])
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
        }
    return "";
}

} // namespace

TEST(Webp, LossyLosslessAndAlphaPicturesReadAsLibwebpDecodesThem)
{
    TempFolder folder;
    const int w = 37, h = 23;
    const std::vector<uint8_t> opaque = Samples(w, h, false);
    const std::vector<uint8_t> translucent = Samples(w, h, true);
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
    };
    const Case cases[] = {
        {"lossless", Encode(opaque, w, h, -1)},
        {"lossy", Encode(opaque, w, h, 60)},
        {"lossless alpha", Encode(translucent, w, h, -1)},
        {"lossy alpha", Encode(translucent, w, h, 80)},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        ASSERT_FALSE(test.file.empty());
        // libwebp's own reading, composed on the background as PNG's is.
        int width = 0, height = 0;
        uint8_t* bgra = WebPDecodeBGRA(test.file.data(), test.file.size(), &width, &height);
        ASSERT_NE(bgra, nullptr);
        std::vector<uint8_t> expected(static_cast<size_t>(w) * h * 3);
        ComposeBgraRow(bgra, expected.data(), w * h);
        WebPFree(bgra);
        WriteFileBytes(folder.File("a.webp"), test.file);
        EXPECT_EQ(Mismatch(CImageObject(folder.File("a.webp"), WEBP), expected.data(), w, h), "");

        // Cut anywhere, the file gives no picture, never a part of one.
        for (size_t cut : {size_t{11}, size_t{30}, test.file.size() / 2, test.file.size() - 1}) {
            WriteFileBytes(folder.File("cut.webp"), std::vector<uint8_t>(test.file.begin(), test.file.begin() + cut));
            EXPECT_EQ(CImageObject(folder.File("cut.webp"), WEBP).GetWidth(), 0) << cut;
        }
    }
}

TEST(Webp, TheExifOrientationTurnsThePictureAndAHugeCanvasIsRefused)
{
    TempFolder folder;
    const int w = 3, h = 2;
    const std::vector<uint8_t> bgra = Samples(w, h, false);
    const std::vector<uint8_t> simple = Encode(bgra, w, h, -1);
    // Turned a quarter clockwise: the stored bottom-left pixel comes to the top left.
    WriteFileBytes(folder.File("turned.webp"), WithOrientation(simple, w, h, 6));
    std::vector<uint8_t> expected;
    for (int y = 0; y < w; ++y)
        for (int x = 0; x < h; ++x) {
            const uint8_t* stored = bgra.data() + (static_cast<size_t>(h - 1 - x) * w + y) * 4;
            expected.insert(expected.end(), stored, stored + 3);
        }
    EXPECT_EQ(Mismatch(CImageObject(folder.File("turned.webp"), WEBP), expected.data(), h, w), "");

    WriteFileBytes(folder.File("huge.webp"), WithOrientation(simple, 40000, 40000, 1));
    EXPECT_EQ(CImageObject(folder.File("huge.webp"), WEBP).GetWidth(), 0);
}
