#include "image/gif/GifImage.h"
#include "image/io/FileHandle.h"
#include "image/io/WholeFile.h"
#include "tests/image/support/FileBytes.h"
#include "tests/image/support/GifEncoder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

// A GIF picture whose file is cut to nothing the moment the decoder has read
// the header and asks for its pixel storage, as when a share goes offline
// or a drive is pulled out in the middle of a picture.
class VanishingGif : public CGifImage {
  public:
    bool Create(int width, int height, int bitCount, int colorType) override
    {
        FileHandle file(CreateFileA(GetFileName().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        cut = file.IsOpen() && SetEndOfFile(file.Get());
        return CGifImage::Create(width, height, bitCount, colorType);
    }
    bool cut = false;
};

} // namespace

TEST(PictureFile, APictureWhoseFileVanishesWhileDecodingStillDecodes)
{
    // The reader works on its own copy of the bytes: the file can go away
    // under it (a mapped view would fault, or keep the file from being cut).
    TempFolder folder;
    GifContents contents;
    contents.width = 40;
    contents.height = 30;
    contents.globalTable = RampTable(16);
    contents.minCodeSize = 4;
    for (int i = 0; i < 40 * 30; ++i)
        contents.pixels.push_back(static_cast<uint8_t>(i * 7 % 16));
    WriteFileBytes(folder.File("going.gif"), EncodeGif(contents));

    VanishingGif picture;
    ASSERT_EQ(picture.Load(folder.File("going.gif")), 1);
    EXPECT_TRUE(picture.cut);
    EXPECT_TRUE(ReadFileBytes(folder.File("going.gif")).empty());
    for (int line = 0; line < 30; ++line)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(picture.GetPixelIndex(x, 29 - line), contents.pixels[line * 40 + x]) << x << "," << line;
}

TEST(PictureFile, FilesLargerThanAnyPictureAreRefusedUnread)
{
    // Sparse, so making it costs nothing; reading it would take 600 MiB.
    TempFolder folder;
    {
        FileHandle huge = FileHandle::CreateForWriting(folder.File("huge.bmp"));
        LARGE_INTEGER size = {};
        size.QuadPart = 600ll * 1024 * 1024;
        ASSERT_TRUE(SetFilePointerEx(huge.Get(), size, nullptr, FILE_BEGIN) && SetEndOfFile(huge.Get()));
    }
    WholeFile file;
    EXPECT_FALSE(file.Open(folder.File("huge.bmp")));
    EXPECT_EQ(file.Data(), nullptr);
}
