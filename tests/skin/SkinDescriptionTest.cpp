// The skin description as the program reads, rebuilds and writes it: the
// default skin sized by its pictures and written, and a damaged file that
// changes nothing.

#include "framework/App.h"
#include "resources/resource.h"
#include "tests/skin/support/SkinPictures.h"
#include "tests/support/Program.h"
#include "tests/support/TempFolder.h"
#include "ui/skin/DefaultSkin.h"
#include "ui/skin/SkinDescriptionFile.h"
#include "ui/skin/SkinRegion.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

using testing_support::TempFolder;

constexpr char kFolder[] = "skin";

class SkinDescriptionTest : public testing::Test {
  protected:
    void SetUp() override
    {
        module_ = LoadLibraryA((testing_support::TestProgramDirectory() + "\\English.dll").c_str());
        ASSERT_NE(nullptr, module_);
        AfxSetResourceHandle(module_);
    }
    void TearDown() override
    {
        AfxSetResourceHandle(AfxGetInstanceHandle());
        FreeLibrary(module_);
    }

    std::vector<char> FileBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::vector<char>(std::istreambuf_iterator<char>(in), {});
    }

    HMODULE module_ = nullptr;
};

TEST_F(SkinDescriptionTest, RebuildSizesTheButtonsByTheirPicturesAndWritesTheFile)
{
    TempFolder program;
    WriteSkinFolder(program.File(kFolder), 300, 200, 80, 40);
    SkinDescription skin;
    EXPECT_EQ(0, LoadSkinDescription(skin, program.Path(), kFolder));
    RebuildDefaultSkin(skin, nullptr, program.Path(), kFolder);

    ASSERT_EQ(6, skin.ButtonCount());
    const RECT expected = {61, 15, 141, 55};
    EXPECT_TRUE(EqualRect(&expected, &skin.buttons[0].rectangle));
    EXPECT_EQ(285 + 40, skin.buttons[3].rectangle.bottom);
    EXPECT_EQ("Choose picture", skin.buttons[0].tooltip);
    EXPECT_EQ("Exit", skin.buttons[5].tooltip);
    EXPECT_EQ(program.File(kFolder) + "\\button3_2.bmp", skin.buttons[3].imagePaths[3]);
    EXPECT_EQ(program.File(kFolder) + "\\button0_3.bmp", skin.buttons[0].imagePaths[3]);

    SkinDescription read;
    ASSERT_EQ(1, LoadSkinDescription(read, program.Path(), kFolder));
    EXPECT_EQ(skin.windowRegion, read.windowRegion);
    EXPECT_TRUE(EqualRgn(RegionFromData(read.buttons[0].region), RegionFromData(skin.buttons[0].region)));
    EXPECT_EQ(skin.buttons[4].tooltip, read.buttons[4].tooltip);
}

TEST_F(SkinDescriptionTest, ADamagedFileChangesNothingButTheFolder)
{
    TempFolder program;
    WriteSkinFolder(program.File(kFolder), 300, 200, 80, 40);
    SkinDescription skin;
    LoadSkinDescription(skin, program.Path(), kFolder);
    RebuildDefaultSkin(skin, nullptr, program.Path(), kFolder);
    const std::string file = program.File(kFolder) + "\\Quorrel.ini";
    std::vector<char> bytes = FileBytes(file);
    bytes.resize(bytes.size() - 1);
    std::ofstream(file, std::ios::binary).write(bytes.data(), bytes.size());

    SkinDescription kept;
    kept.backgroundName = "kept.bmp";
    EXPECT_EQ(0, LoadSkinDescription(kept, program.Path(), kFolder));
    EXPECT_EQ("kept.bmp", kept.backgroundName);
    EXPECT_EQ(0, kept.ButtonCount());
    EXPECT_EQ(program.File(kFolder), kept.skinFolder);

    // No name: the English folder, which this program folder lacks.
    EXPECT_EQ(0, LoadSkinDescription(kept, program.Path(), ""));
    EXPECT_EQ(program.File(kDefaultSkinFolderName), kept.skinFolder);
}

} // namespace
