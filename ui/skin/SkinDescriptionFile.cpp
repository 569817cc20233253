#include "ui/skin/SkinDescriptionFile.h"

#include "framework/LegacyText.h"
#include "image/io/FileHandle.h"
#include "image/io/WholeFile.h"

namespace {

std::string JoinPath(const std::string& folder, const std::string& name)
{
    return folder + "\\" + name;
}

// The file stores names only; every path is made from the skin folder of
// this run, so a skin folder can move with the program.
void TakeFile(SkinDescription& skin, SkinFile&& file)
{
    skin.windowRegion = std::move(file.windowRegion);
    skin.backgroundName = std::move(file.backgroundName);
    skin.backgroundPath = JoinPath(skin.skinFolder, skin.backgroundName);
    skin.buttons.resize(file.buttons.size());
    for (size_t i = 0; i < file.buttons.size(); ++i) {
        SkinFileButton& stored = file.buttons[i];
        SkinButtonSpec& button = skin.buttons[i];
        for (size_t state = 0; state < kSkinButtonStates; ++state) {
            button.imagePaths[state] = JoinPath(skin.skinFolder, stored.imageNames[state]);
            button.imageNames[state] = std::move(stored.imageNames[state]);
        }
        button.rectangle = {stored.left, stored.top, stored.right, stored.bottom};
        button.region = std::move(stored.region);
        button.tooltip = FromSystemCodePage(stored.tooltip);
    }
}

SkinFile MakeFile(const SkinDescription& skin)
{
    SkinFile file;
    file.windowRegion = skin.windowRegion;
    file.backgroundName = skin.backgroundName;
    for (const SkinButtonSpec& button : skin.buttons) {
        SkinFileButton stored;
        stored.imageNames = button.imageNames;
        stored.left = button.rectangle.left;
        stored.top = button.rectangle.top;
        stored.right = button.rectangle.right;
        stored.bottom = button.rectangle.bottom;
        stored.region = button.region;
        stored.tooltip = ToSystemCodePage(button.tooltip);
        file.buttons.push_back(std::move(stored));
    }
    return file;
}

} // namespace

int LoadSkinDescription(SkinDescription& skin, const std::string& programDirectory, const std::string& folderName)
{
    skin.skinFolder = JoinPath(programDirectory, folderName.empty() ? kDefaultSkinFolderName : folderName);
    WholeFile whole;
    if (!whole.Open(JoinPath(skin.skinFolder, kSkinDescriptionFileName)))
        return 0;
    SkinFile file;
    if (!ParseSkinFile(whole.Data(), whole.Size(), file))
        return 0;
    TakeFile(skin, std::move(file));
    return 1;
}

void SaveSkinDescription(const SkinDescription& skin, const std::string& programDirectory,
                         const std::string& folderName)
{
    const std::string folder = JoinPath(programDirectory, folderName);
    FileHandle out = FileHandle::CreateForWriting(JoinPath(folder, kSkinDescriptionFileName));
    if (!out.IsOpen())
        return;
    const std::vector<uint8_t> bytes = SerializeSkinFile(MakeFile(skin));
    out.Write(bytes.data(), bytes.size());
}
