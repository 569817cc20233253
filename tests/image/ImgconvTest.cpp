// imgconv is run as its own process, as the benchmarks and later tools run it.
#include "image/ImageObject.h"
#include "tests/image/support/GifEncoder.h"
#include "tests/image/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

using testing_support::TempFolder;

namespace {

struct ToolRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
};

std::string ImgconvPath()
{
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string folder(module);
    return folder.substr(0, folder.rfind('\\')) + "\\imgconv.exe";
}

ToolRun Imgconv(const std::string& arguments, const TempFolder& folder)
{
    ToolRun run;
    const std::string outputPath = folder.File("stdout.txt");
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + ImgconvPath() + "\" " + arguments;
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(output);
    const std::vector<uint8_t> bytes = ReadFileBytes(outputPath);
    run.output.assign(bytes.begin(), bytes.end());
    return run;
}

} // namespace

TEST(Imgconv, ConvertsAGifToTheWallpaperBitmap)
{
    TempFolder folder;
    GifContents contents;
    contents.width = 6;
    contents.height = 4;
    contents.globalTable = RampTable(4);
    contents.minCodeSize = 2;
    contents.transparentIndex = 1;
    contents.pixels.assign(24, 2);
    WriteFileBytes(folder.File("in.GIF"), EncodeGif(contents));

    const ToolRun convert = Imgconv("\"" + folder.File("in.GIF") + "\" \"" + folder.File("out.bmp") + "\"", folder);
    EXPECT_EQ(convert.exitCode, 0u) << convert.output;
    CImageObject out(folder.File("out.bmp"), BMP);
    EXPECT_EQ(out.GetWidth(), 6);
    EXPECT_EQ(out.GetPixelIndex(5, 3), 2);

    const ToolRun info = Imgconv("--info \"" + folder.File("in.GIF") + "\"", folder);
    EXPECT_EQ(info.exitCode, 0u);
    EXPECT_NE(info.output.find("width=6"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("paletteEntries=256"), std::string::npos);
    EXPECT_NE(info.output.find("transparentIndex=1"), std::string::npos);
}

TEST(Imgconv, RefusesWhatIsNoPicture)
{
    TempFolder folder;
    WriteFileBytes(folder.File("notes.txt"), {'h', 'i'});
    EXPECT_NE(Imgconv("\"" + folder.File("notes.txt") + "\" \"" + folder.File("o.bmp") + "\"", folder).exitCode, 0u);
    GifContents cut; // cut short, as an interrupted copy leaves it
    cut.width = cut.height = 64;
    cut.globalTable = RampTable(256);
    for (int i = 0; i < 64 * 64; ++i)
        cut.pixels.push_back(static_cast<uint8_t>(i * 7));
    std::vector<uint8_t> bytes = EncodeGif(cut);
    bytes.resize(bytes.size() * 85 / 100);
    WriteFileBytes(folder.File("cut.gif"), bytes);
    WriteFileBytes(folder.File("bad.png"), {'h', 'i'});
    for (const char* name : {"bad.png", "cut.gif"}) {
        const ToolRun bad = Imgconv("\"" + folder.File(name) + "\" \"" + folder.File("o.bmp") + "\"", folder);
        EXPECT_NE(bad.exitCode, 0u) << name;
        EXPECT_FALSE(bad.output.empty());
    }
    EXPECT_NE(Imgconv("", folder).exitCode, 0u);
}
