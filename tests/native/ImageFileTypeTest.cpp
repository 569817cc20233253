#include "image/ImageFileType.h"

#include <gtest/gtest.h>

TEST(ImageFileType, ExtensionIsTheTextAfterTheLastDotOfTheWholePath)
{
    EXPECT_EQ(GetFileExtension("C:\\Pics\\a.b.JPG"), "JPG");
    EXPECT_EQ(GetFileExtension("C:\\Pics\\noext"), "");
    EXPECT_EQ(GetFileExtension("C:\\my.pics\\photo"), "pics\\photo");
    EXPECT_EQ(ImageTypeForPictureFile("C:\\my.pics\\photo"), -1);
}

TEST(ImageFileType, TableLookupIgnoresCaseAndKnowsNoJpeg)
{
    EXPECT_EQ(ImageTypeFromFileName("a.JPG"), JPG);
    EXPECT_EQ(ImageTypeFromFileName("a.bmp"), BMP);
    EXPECT_EQ(ImageTypeFromFileName("a.Gif"), GIF);
    EXPECT_EQ(ImageTypeFromFileName("a.png"), PNG);
    EXPECT_EQ(ImageTypeFromFileName("a.xpm"), XPM);
    EXPECT_EQ(ImageTypeFromFileName("a.jpeg"), -1);
    EXPECT_EQ(ImageTypeFromFileName("a."), -1);
    EXPECT_EQ(ImageTypeFromFileName("noext"), -1);
    EXPECT_EQ(ImageTypeFromExtension("BM"), -1);
    EXPECT_EQ(ImageTypeFromExtension("BMPX"), -1);
    EXPECT_EQ(FindExtension("a.b"), 2u);
    EXPECT_EQ(FindExtension("a."), std::string::npos);
}

TEST(ImageFileType, PictureRuleTakesJpegButNothingElse)
{
    EXPECT_EQ(ImageTypeForPictureFile("x.JPEG"), JPG);
    EXPECT_EQ(ImageTypeForPictureFile("x.jpg"), JPG);
    EXPECT_EQ(ImageTypeForPictureFile("x.GIF"), GIF);
    EXPECT_EQ(ImageTypeForPictureFile("x.Png"), PNG);
    EXPECT_EQ(ImageTypeForPictureFile("x.bmp"), BMP);
    EXPECT_EQ(ImageTypeForPictureFile("x.xpm"), -1);
    EXPECT_EQ(ImageTypeForPictureFile("x."), -1);
    EXPECT_EQ(ImageTypeForPictureFile("x"), -1);
}
