// Replacing a file through a temporary file: readers see the old file or
// the new one, whole, never a part.

#include "image/io/FileReplacement.h"
#include "tests/image/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

bool WriteText(FileHandle& file, const std::string& text)
{
    return file.Write(text.data(), text.size()) == text.size();
}

std::string FileText(const std::string& path)
{
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

bool FolderHoldsOnly(const TempFolder& folder, const std::string& name)
{
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder.Path() + "\\*").c_str(), &data);
    bool onlyThat = true;
    do {
        const std::string found = data.cFileName;
        onlyThat = onlyThat && (found == "." || found == ".." || found == name);
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return onlyThat;
}

} // namespace

TEST(FileReplacement, TheNewFileTakesTheOldOnesPlace)
{
    TempFolder folder;
    const std::string target = folder.AddFile("target.bmp", "old contents");
    EXPECT_TRUE(WriteFileReplacing(target, [](FileHandle& file) { return WriteText(file, "new"); }));
    EXPECT_EQ("new", FileText(target));
    EXPECT_TRUE(FolderHoldsOnly(folder, "target.bmp"));
}

TEST(FileReplacement, AWriteThatFailsHalfwayLeavesTheOldFileWhole)
{
    TempFolder folder;
    const std::string target = folder.AddFile("target.bmp", "old contents");
    EXPECT_FALSE(WriteFileReplacing(target, [](FileHandle& file) { return WriteText(file, "ne") && false; }));
    EXPECT_EQ("old contents", FileText(target));
    EXPECT_TRUE(FolderHoldsOnly(folder, "target.bmp")) << "the unfinished file is removed";
}

TEST(FileReplacement, AReaderHoldingTheFileKeepsWhatItReads)
{
    TempFolder folder;
    const std::string target = folder.AddFile("target.bmp", "old contents");
    const HANDLE reader = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    EXPECT_FALSE(WriteFileReplacing(target, [](FileHandle& file) { return WriteText(file, "new"); }));
    CloseHandle(reader);
    EXPECT_EQ("old contents", FileText(target));
    EXPECT_TRUE(FolderHoldsOnly(folder, "target.bmp"));
}

TEST(FileReplacement, AFolderThatCannotBeWrittenFailsCleanly)
{
    TempFolder folder;
    EXPECT_FALSE(WriteFileReplacing(folder.File("missing folder\\target.bmp"),
                                    [](FileHandle& file) { return WriteText(file, "new"); }));
    const std::string directory = folder.File("a directory.bmp");
    CreateDirectoryA(directory.c_str(), nullptr);
    EXPECT_FALSE(WriteFileReplacing(directory, [](FileHandle& file) { return WriteText(file, "new"); }));
    EXPECT_TRUE(FolderHoldsOnly(folder, "a directory.bmp"));
}
