// The two desktop options: hiding the desktop icons and starting at log-on.

#include "engine/DesktopIcons.h"
#include "engine/LogonStart.h"
#include "framework/Path.h"
#include "tests/engine/ShellDesktopWindow.h"
#include "tests/support/Registry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

using testing_support::ReadStringValue;
using testing_support::ReadStringValues;
using testing_support::WriteStringValue;

namespace {

TEST(DesktopIcons, HideAndShowTheShellDesktopWindow)
{
    ShellDesktopWindow desktop;
    ASSERT_TRUE(desktop.IsVisible());
    SetDesktopIconsHidden(1);
    EXPECT_FALSE(desktop.IsVisible());
    SetDesktopIconsHidden(1);
    EXPECT_FALSE(desktop.IsVisible());
    SetDesktopIconsHidden(0);
    EXPECT_TRUE(desktop.IsVisible());
}

TEST(DesktopIcons, WithoutAShellDesktopNothingHappens)
{
    ASSERT_EQ(nullptr, FindWindowA("ProgMan", nullptr));
    SetDesktopIconsHidden(1);
    SetDesktopIconsHidden(0);
}

// A machine Run key this user may not write: a handle that opens nothing.
const HKEY kRefusingRoot = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234560));

class LogonStartTest : public ::testing::Test {
  protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }

    static void Clean()
    {
        for (auto [root, path] :
             {std::pair{HKEY_LOCAL_MACHINE, kRunKeyPath}, std::pair{HKEY_CURRENT_USER, kUserRunKeyPath}}) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
                RegDeleteValueA(key, kRunValueName);
                RegCloseKey(key);
            }
        }
    }

    static std::optional<std::string> MachineEntry()
    {
        return ReadStringValue(HKEY_LOCAL_MACHINE, kRunKeyPath, kRunValueName);
    }
    static std::optional<std::string> UserEntry()
    {
        return ReadStringValue(HKEY_CURRENT_USER, kUserRunKeyPath, kRunValueName);
    }
};

TEST_F(LogonStartTest, TheEntryGoesUnderTheMachineKeyAndUnregisteringRemovesOnlyIt)
{
    WriteStringValue(HKEY_LOCAL_MACHINE, kRunKeyPath, "SomeOtherProgram", "other.exe");
    const std::string commandLine = "C:\\Program Files\\Orvane Tessaly\\Tessaly.exe min";
    CRegistryKey machineKey;
    EXPECT_TRUE(RegisterLogonStart(machineKey, commandLine));
    EXPECT_EQ(commandLine, MachineEntry());
    EXPECT_FALSE(UserEntry().has_value()) << "no fallback when the machine key takes the entry";

    UnregisterLogonStart(machineKey);
    EXPECT_FALSE(MachineEntry().has_value());
    EXPECT_EQ("other.exe", ReadStringValue(HKEY_LOCAL_MACHINE, kRunKeyPath, "SomeOtherProgram"));

    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_ALL_ACCESS, &key);
    RegDeleteValueA(key, "SomeOtherProgram");
    RegCloseKey(key);
}

constexpr char kUninstallKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OrvaneTessaly";

std::string KnownFolder(int id)
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

TEST_F(LogonStartTest, ACopyThatIsTheUsersOwnWritesOnlyTheUsersKey)
{
    const std::string profile = KnownFolder(CSIDL_PROFILE);
    const struct {
        std::string folder;
        bool own;
    } cases[] = {
        {KnownFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Orvane Tessaly", true},
        {profile, true},
        {profile + "x\\Tessaly", false},
        {KnownFolder(CSIDL_PROGRAM_FILES) + "\\Orvane Tessaly", false},
        {"C:\\Tools\\Orvane Tessaly", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.own, IsUsersOwnCopy(c.folder)) << c.folder;

    // Installed for this user alone into a folder of its own choice.
    WriteStringValue(HKEY_CURRENT_USER, kUninstallKeyPath, "InstallLocation", ProgramDirectory());
    EXPECT_TRUE(IsUsersOwnCopy(ProgramDirectory()));
    CRegistryKey machineKey;
    EXPECT_TRUE(RegisterLogonStart(machineKey, "C:\\T\\Tessaly.exe min"));
    testing_support::DeleteKeyTree(HKEY_CURRENT_USER, kUninstallKeyPath);
    EXPECT_EQ("C:\\T\\Tessaly.exe min", UserEntry());
    EXPECT_FALSE(MachineEntry().has_value()) << "every user would start this user's copy";
}

TEST_F(LogonStartTest, WithoutTheRightToWriteTheMachineKeyTheUserKeyTakesTheEntry)
{
    RunKeyRoots roots;
    roots.machine = kRefusingRoot;
    CRegistryKey machineKey;
    EXPECT_TRUE(RegisterLogonStart(machineKey, "C:\\T\\Tessaly.exe min", roots));
    EXPECT_EQ("C:\\T\\Tessaly.exe min", UserEntry());
    EXPECT_FALSE(MachineEntry().has_value());
}

TEST_F(LogonStartTest, UnregisteringRemovesTheEntryFromBothKeys)
{
    WriteStringValue(HKEY_LOCAL_MACHINE, kRunKeyPath, kRunValueName, "a min");
    WriteStringValue(HKEY_CURRENT_USER, kUserRunKeyPath, kRunValueName, "b min");
    CRegistryKey machineKey;
    UnregisterLogonStart(machineKey);
    EXPECT_FALSE(MachineEntry().has_value());
    EXPECT_FALSE(UserEntry().has_value());
}

TEST_F(LogonStartTest, WhenNeitherKeyTakesTheEntryRegisteringFails)
{
    RunKeyRoots roots;
    roots.machine = kRefusingRoot;
    roots.user = kRefusingRoot;
    CRegistryKey machineKey;
    EXPECT_FALSE(RegisterLogonStart(machineKey, "x min", roots));
}

} // namespace
