// A file replaced through a temporary file: a write that fails on the way
// (a full disk) leaves the old file whole and nothing beside it; a reader
// that holds the file for a moment only delays the replacement.

#include "image/io/FileReplacement.h"
#include "tests/image/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <thread>

TEST(FileReplacement, AWriteThatFailsHalfwayLeavesTheOldFileWhole)
{
    testing_support::TempFolder folder;
    const std::string target = folder.AddFile("target.bmp", "old");
    const auto writeHalf = [](FileHandle& file) {
        file.Write("ne", 2);
        return false;
    };
    EXPECT_FALSE(WriteFileReplacing(target, writeHalf));
    EXPECT_EQ((std::vector<uint8_t>{'o', 'l', 'd'}), ReadFileBytes(target));
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(folder.File("*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search) << "the unfinished file is removed";
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

TEST(FileReplacement, AReaderThatLetsGoSoonOnlyDelaysTheReplacement)
{
    testing_support::TempFolder folder;
    const std::string target = folder.AddFile("target.bmp", "old");
    const HANDLE reader = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    std::thread letGo([reader] {
        Sleep(100);
        CloseHandle(reader);
    });
    EXPECT_TRUE(WriteFileReplacing(target, [](FileHandle& file) { return file.Write("new", 3) == 3; }));
    letGo.join();
    EXPECT_EQ((std::vector<uint8_t>{'n', 'e', 'w'}), ReadFileBytes(target));
}
