// The reduced-scale JPEG reader of the preview: which scale it takes, and
// that its picture is made as a whole-picture load makes it.
#include "image/ImageObject.h"
#include "image/jpeg/JpegPreview.h"
#include "image/palette/DibPalette.h"
#include "tests/engine/TestPictures.h"
#include "tests/image/support/LibraryWriters.h"
#include "tests/support/TempFolder.h"
#include "ui/dialogs/PreviewPicture.h"

#include <gtest/gtest.h>

#include <vector>

using testing_support::TempFolder;

namespace {

TEST(JpegPreview, DecodesTheSmallestEighthThatCoversTheFrame)
{
    TempFolder folder;
    const std::string path = folder.File("photo.jpg");
    ASSERT_TRUE(WritePicture(path, 1000, 800));
    struct Case {
        int coverWidth, coverHeight;
        int width, height;
    };
    const Case cases[] = {
        {258, 191, 375, 300},  // 2/8 would be 250 wide: too narrow
        {100, 100, 125, 100},  // 1/8 covers
        {2000, 10, 1000, 800}, // nothing covers: the whole picture
    };
    for (const Case& c : cases) {
        CImageObject picture;
        const JpegPreview preview = LoadJpegPreview(path, c.coverWidth, c.coverHeight, picture);
        EXPECT_EQ(JpegPreviewResult::Decoded, preview.result);
        EXPECT_EQ(1000, preview.fileWidth);
        EXPECT_EQ(800, preview.fileHeight);
        EXPECT_EQ(c.width, picture.GetWidth()) << c.coverWidth << "x" << c.coverHeight;
        EXPECT_EQ(c.height, picture.GetHeight()) << c.coverWidth << "x" << c.coverHeight;
        // Quantised like a whole-picture load: 8 bits, at most 128 colours.
        EXPECT_EQ(8, picture.GetBitCount());
        ASSERT_NE(nullptr, picture.GetPalette());
        EXPECT_LE(picture.GetPalette()->GetEntryCount(), 128);
    }
}

TEST(JpegPreview, InkFilesArePreviewedAtTheirScaleToo)
{
    TempFolder folder;
    const std::string path = folder.File("ink.jpg");
    ASSERT_TRUE(WriteTestInkJpeg(path, 64, 32, std::vector<uint8_t>(64 * 32 * 3, 200), InkStorage::AdobeCmyk));
    const PreviewPicture shown = LoadPreviewPicture(path, JPG, 8, 4);
    ASSERT_TRUE(shown.Loaded());
    EXPECT_EQ(8, shown.image->GetWidth());
    EXPECT_EQ(64, shown.fileWidth);
    EXPECT_EQ(32, shown.fileHeight);
    uint8_t r = 0, g = 0, b = 0;
    ASSERT_TRUE(shown.image->GetPixelColor(3, 2, r, g, b));
    EXPECT_NEAR(200, r, 8);
    EXPECT_NEAR(200, g, 8);
    EXPECT_NEAR(200, b, 8);
}

} // namespace
