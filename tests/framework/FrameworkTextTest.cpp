// Number reading, command-line parsing and path helpers.

#include "framework/CommandLine.h"
#include "framework/DataExchange.h"
#include "framework/NumberText.h"
#include "framework/Path.h"

#include <gtest/gtest.h>

TEST(NumberText, LeadingNumbersAreReadLikeTheClassicRuntime)
{
    EXPECT_DOUBLE_EQ(12, LeadingDouble("12abc"));
    EXPECT_DOUBLE_EQ(0, LeadingDouble("abc"));
    EXPECT_DOUBLE_EQ(150, LeadingDouble("  1.5e2x"));
    EXPECT_DOUBLE_EQ(-0.25, LeadingDouble("-.25"));
    EXPECT_DOUBLE_EQ(3, LeadingDouble("3e"));
    // Newer runtimes read these; the settings never held them.
    EXPECT_DOUBLE_EQ(0, LeadingDouble("0x10"));
    EXPECT_DOUBLE_EQ(0, LeadingDouble("inf"));
    EXPECT_EQ(7, LeadingInt(" 7 days"));
    EXPECT_EQ(0, LeadingInt("yes"));
    EXPECT_EQ(INT_MAX, LeadingInt("99999999999999999999"));
    EXPECT_EQ(INT_MIN, LeadingInt("-99999999999999999999"));
}

TEST(NumberText, AnEditNumberIsOneNumberBetweenBlanks)
{
    double value = -1;
    EXPECT_TRUE(ParseDouble(" 3 ", value));
    EXPECT_DOUBLE_EQ(3, value);
    EXPECT_FALSE(ParseDouble("1 2", value));
    EXPECT_FALSE(ParseDouble("", value));
    EXPECT_FALSE(ParseDouble("12abc", value));
    EXPECT_DOUBLE_EQ(3, value);
    EXPECT_EQ("0.0167", FormatDouble(0.0167));
    EXPECT_EQ("99999999.999", FormatDouble(99999999.999));
    EXPECT_EQ("30", FormatDouble(30));
}

TEST(CommandLine, FileNameIsTheFirstPlainArgument)
{
    CCommandLineInfo info;
    ParseCommandLine({"/min", "-x", "first", "second"}, info);
    EXPECT_EQ("first", info.m_strFileName);

    CCommandLineInfo none;
    ParseCommandLine({"/min"}, none);
    EXPECT_EQ("", none.m_strFileName);
}

TEST(Path, DirectoryOfPath)
{
    EXPECT_EQ("C:\\Pics", DirectoryOfPath("C:\\Pics\\a.bmp"));
    EXPECT_EQ("C:", DirectoryOfPath("C:\\a.bmp"));
    EXPECT_EQ("C:", DirectoryOfPath("C:"));
    EXPECT_EQ("", DirectoryOfPath("C"));
    EXPECT_EQ("", DirectoryOfPath("1:"));
    EXPECT_EQ("", DirectoryOfPath("a.bmp"));
    EXPECT_EQ("C:\\Windows", DirectoryOfPath("C:\\Windows\\"));
    EXPECT_EQ("\\\\server\\share", DirectoryOfPath("\\\\server\\share\\a.bmp"));
}

TEST(Path, ProgramDirectoryHoldsTheProgram)
{
    const std::string module = ModulePath();
    EXPECT_EQ(ProgramDirectory() + module.substr(module.rfind('\\')), module);
}
