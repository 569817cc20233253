#include "image/ImageObject.h"
#include "image/palette/DibPalette.h"
#include "tests/image/support/GifEncoder.h"
#include "tests/image/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

GifContents Checker(int width, int height, int colors)
{
    GifContents contents;
    contents.width = width;
    contents.height = height;
    contents.globalTable = RampTable(colors);
    contents.minCodeSize = colors <= 4 ? 2 : (colors <= 16 ? 4 : 8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            contents.pixels.push_back(static_cast<uint8_t>((x + y * 3) % colors));
    return contents;
}

} // namespace

TEST(Gif, BothVersionsLoadTopRowFirst)
{
    TempFolder folder;
    for (const char* signature : {"GIF87a", "GIF89a"}) {
        GifContents contents = Checker(5, 4, 16);
        contents.signature = signature;
        WriteFileBytes(folder.File("a.gif"), EncodeGif(contents));
        CImageObject picture(folder.File("a.gif"), -1);
        ASSERT_EQ(picture.GetWidth(), 5) << signature;
        EXPECT_EQ(picture.GetBitCount(), 8);
        EXPECT_EQ(picture.GetColorType(), 3);
        EXPECT_EQ(picture.GetPixelIndex(4, 3), 4);       // top line, x 4
        EXPECT_EQ(picture.GetPixelIndex(1, 0), 10 % 16); // bottom line 3: 1 + 9
    }
}

TEST(Gif, TransparencyGivesAFullPaletteWithBlackAndWhite)
{
    TempFolder folder;
    GifContents contents = Checker(4, 4, 16);
    contents.transparentIndex = 3;
    WriteFileBytes(folder.File("t.gif"), EncodeGif(contents));
    CImageObject picture(folder.File("t.gif"), GIF);
    EXPECT_EQ(picture.GetImpl()->GetTransparentIndex(), 3);
    CDibPalette* palette = picture.GetPalette();
    ASSERT_EQ(palette->GetEntryCount(), 256);
    uint8_t r = 9, g = 9, b = 9;
    palette->GetEntry(3, r, g, b);
    EXPECT_EQ(r + g + b, 0);
    palette->GetEntry(16, r, g, b);
    EXPECT_EQ(r + g + b, 3 * 255);
    palette->GetEntry(5, r, g, b);
    EXPECT_EQ(g, 250);
}

TEST(Gif, OtherFilesAreRefusedAndNeverWritten)
{
    TempFolder folder;
    WriteFileBytes(folder.File("fake.gif"), {'G', 'I', 'F', '9', '8', 'a', 1, 0, 1, 0, 0, 0, 0});
    CImageObject fake(folder.File("fake.gif"), GIF);
    EXPECT_EQ(fake.GetWidth(), 0);
    EXPECT_EQ(fake.GetImpl()->Load(""), 0);

    WriteFileBytes(folder.File("real.gif"), EncodeGif(Checker(2, 2, 4)));
    CImageObject real(folder.File("real.gif"), GIF);
    EXPECT_EQ(real.GetImpl()->Save(folder.File("out.gif")), 0);
    EXPECT_TRUE(ReadFileBytes(folder.File("out.gif")).empty());
}

TEST(Gif, LargeInterlacedPictureKeepsEveryPixel)
{
    // Runs and noise give strings of one to dozens of bytes that end in the
    // middle of lines; the build that ships (32-bit, optimised) must place
    // them exactly like the sanitizer build of the decoder tests. The
    // picture is large enough for a second thread to decode its lower part.
    TempFolder folder;
    GifContents contents;
    contents.width = 1401;
    contents.height = 803;
    contents.interlaced = true;
    contents.globalTable = RampTable(256);
    uint32_t noise = 12345;
    for (int i = 0; i < contents.width * contents.height; ++i) {
        noise = noise * 1103515245u + 12345u;
        contents.pixels.push_back(static_cast<uint8_t>((i / 97) % 3 == 0 ? (noise >> 16) : i / 1000));
    }
    WriteFileBytes(folder.File("big.gif"), EncodeGif(contents));
    CImageObject picture(folder.File("big.gif"), GIF);
    ASSERT_EQ(picture.GetWidth(), contents.width);
    ASSERT_EQ(picture.GetHeight(), contents.height);
    int wrong = 0;
    for (int y = 0; y < contents.height; ++y)
        for (int x = 0; x < contents.width; ++x)
            wrong += picture.GetPixelIndex(x, contents.height - 1 - y) != contents.pixels[y * contents.width + x];
    EXPECT_EQ(wrong, 0);
}
