// skinini FOLDER MODULE [PERCENT]: writes the skin description file
// FOLDER\Quorrel.ini beside this program, the way the program itself does on
// a start without one: the default skin with the tooltips of the language
// module MODULE, its buttons placed for pictures drawn at PERCENT (100 when
// not given), and the shapes scanned from the pictures in FOLDER. The build
// runs it for each scale so that users never meet the first-start message.
//
// Tooltips are stored in the ANSI code page, so run it under the code page
// of the module's language; it refuses to write texts that page cannot hold.

#include "framework/App.h"
#include "framework/Path.h"
#include "resources/resource.h"
#include "ui/skin/DefaultSkin.h"
#include "ui/skin/SkinDescriptionFile.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// True when the ANSI text is exactly the resource string, not a lossy copy.
bool SurvivesCodePage(UINT stringId, const std::string& ansi)
{
    wchar_t wide[512] = {};
    const int length = LoadStringW(AfxGetResourceHandle(), stringId, wide, 512);
    wchar_t back[512] = {};
    const int backLength =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), back, static_cast<int>(512));
    return length == backLength && std::wstring(wide, length) == std::wstring(back, backLength);
}

int Fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "skinini: %s %s\n", what, detail.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: skinini SKIN_FOLDER_NAME LANGUAGE_MODULE [PERCENT]\n");
        return 2;
    }
    const int percent = argc == 4 ? std::atoi(argv[3]) : 100;
    if (percent < 100 || percent > 400)
        return Fail("no such scale:", argv[3]);
    const std::string folder = argv[1];
    const std::string programDirectory = ProgramDirectory();
    HMODULE module = LoadLibraryA((programDirectory + "\\" + argv[2]).c_str());
    if (!module)
        return Fail("cannot load the language module", argv[2]);
    AfxSetResourceHandle(module);

    SkinDescription skin;
    LoadSkinDescription(skin, programDirectory, folder); // names the folder; the old file is not kept
    RebuildDefaultSkin(skin, nullptr, programDirectory, folder, percent);

    if (skin.windowRegion.empty())
        return Fail("no window shape from", skin.backgroundPath);
    for (int index = 0; index < skin.ButtonCount(); ++index) {
        const SkinButtonSpec& button = skin.buttons[index];
        if (button.region.empty() || button.rectangle.right <= button.rectangle.left)
            return Fail("no shape from", button.imagePaths[0]);
        if (!SurvivesCodePage(IDS_TIP_SET_PICTURE + index, button.tooltip))
            return Fail("the ANSI code page cannot hold the tooltips of", argv[2]);
    }
    SkinDescription written;
    if (!LoadSkinDescription(written, programDirectory, folder))
        return Fail("could not write", skin.skinFolder + "\\" + kSkinDescriptionFileName);
    return 0;
}
