// Loading and saving the settings against the prefix's real registry.

#include "settings/Settings.h"
#include "tests/support/Registry.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

std::string WindowsDirectory()
{
    char buffer[MAX_PATH] = {};
    GetWindowsDirectoryA(buffer, MAX_PATH);
    return buffer;
}

class SettingsStore : public ::testing::Test {
  protected:
    void SetUp() override { DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKeyPath); }
    void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKeyPath); }

    void Store(const char* name, const std::string& text)
    {
        WriteStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, name, text);
    }
    std::optional<std::string> Stored(const char* name)
    {
        return ReadStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, name);
    }

    // A load of the key as it is now, through a key object of its own.
    Settings Load(bool* iconOptionRead = nullptr)
    {
        CRegistryKey key;
        Settings settings;
        const bool read = LoadSettings(key, settings, kEnglish);
        if (iconOptionRead)
            *iconOptionRead = read;
        return settings;
    }

    // A key that exists, holding only what the test stores.
    void CreateEmptyKey() { Store("Unrelated", "x"); }
};

} // namespace

TEST_F(SettingsStore, FirstStartWritesExactlyTheNineDefaults)
{
    bool iconOptionRead = true;
    Settings settings;
    settings.ShowPic = 1; // derived from the desktop before the load
    settings.ShowMode = 2;
    CRegistryKey key;
    iconOptionRead = LoadSettings(key, settings, kEnglish);

    const std::map<std::string, std::string> expected = {
        {"AutoRun", "0"},  {"ChangeMode", "1"},     {"Today", "00000000"},        {"ChangeTime", "30"},
        {"ShowMode", "0"}, {"SetDefaultUser", "0"}, {"HideShowDesktopIcon", "0"}, {"PaperPath", WindowsDirectory()},
        {"Preview", "0"},
    };
    EXPECT_EQ(expected, ReadStringValues(HKEY_CURRENT_USER, kSettingsKeyPath));
    EXPECT_FALSE(iconOptionRead);
    EXPECT_EQ(ChangeEachStart, settings.ChangeMode);
    EXPECT_EQ(1, settings.Preview);
    EXPECT_EQ(WindowsDirectory() + "\\", settings.CurPicFileName);
    EXPECT_EQ(1, settings.ShowPic);
    EXPECT_EQ(2, settings.ShowMode);
    EXPECT_EQ("5D93A1E4_7B20_4C8F_A3D6_91E04F7B2C58", settings.CurSkinIndex);
}

TEST_F(SettingsStore, ChangeModeIsOneOfTheThreeDigitsOrNever)
{
    CreateEmptyKey();
    EXPECT_EQ(ChangeEachStart, Load().ChangeMode); // missing
    EXPECT_EQ("1", Stored("ChangeMode"));          // and written back
    for (const char* text : {"4", "01", "daily", "", " 2"}) {
        Store("ChangeMode", text);
        EXPECT_EQ(ChangeNever, Load().ChangeMode) << text;
    }
    Store("ChangeMode", "3");
    EXPECT_EQ(ChangeInterval, Load().ChangeMode);
    Store("ChangeMode", "2");
    EXPECT_EQ(ChangeDaily, Load().ChangeMode);
}

TEST_F(SettingsStore, AutoRunIsOffOnlyForExactlyZero)
{
    CreateEmptyKey();
    EXPECT_EQ(0, Load().AutoRun);
    EXPECT_EQ("0", Stored("AutoRun")); // a missing value is written back
    for (const char* text : {"00", "no", "1", ""}) {
        Store("AutoRun", text);
        EXPECT_EQ(1, Load().AutoRun) << text;
    }
    Store("AutoRun", "0");
    EXPECT_EQ(0, Load().AutoRun);
}

TEST_F(SettingsStore, NumbersAndFlagsAreReadFromTheirLeadingDigits)
{
    CreateEmptyKey();
    Settings missing = Load();
    EXPECT_DOUBLE_EQ(30, missing.ChangeTime);
    EXPECT_EQ("00000000", missing.Today);
    EXPECT_EQ(1, missing.Preview);
    EXPECT_EQ(0, missing.SetDefaultUser);
    EXPECT_EQ("", missing.CurPicFileName);
    // Only AutoRun and ChangeMode are written back at load time.
    EXPECT_FALSE(Stored("Today"));
    EXPECT_FALSE(Stored("ChangeTime"));

    Store("ChangeTime", "12abc");
    Store("SetDefaultUser", "7 please");
    Store("Preview", "0");
    Store("Today", "20031205");
    Settings stored = Load();
    EXPECT_DOUBLE_EQ(12, stored.ChangeTime);
    EXPECT_EQ(1, stored.SetDefaultUser);
    EXPECT_EQ(0, stored.Preview);
    EXPECT_EQ("20031205", stored.Today);
}

TEST_F(SettingsStore, AStoredIntervalOutsideTheEditRangeIsBroughtToTheNearestBound)
{
    CreateEmptyKey();
    // No number at all, or one too long to be a number, gives the default.
    const std::pair<std::string, double> cases[] = {
        {"0", 0.0167}, {"-5", 0.0167}, {"100000000", 99999999.999},       {"1e300", 99999999.999},
        {"abc", 30},   {"", 30},       {"1" + std::string(400, '0'), 30},
    };
    for (const auto& [text, expected] : cases) {
        Store("ChangeTime", text);
        EXPECT_EQ(expected, Load().ChangeTime) << text;
    }
}

TEST_F(SettingsStore, ValuesOfAnotherTypeThanTextCountAsMissing)
{
    CreateEmptyKey();
    // Numbers stored the way a registry editor's "DWORD value" stores them.
    for (const char* name : {"ChangeTime", "ChangeMode", "AutoRun", "Preview", "FullColour"}) {
        CRegistryKey key;
        key.Open(HKEY_CURRENT_USER, kSettingsKeyPath);
        key.WriteDword(name, name == std::string("FullColour") ? 1 : 0);
    }
    const Settings settings = Load();
    EXPECT_EQ(30, settings.ChangeTime);
    EXPECT_EQ(ChangeEachStart, settings.ChangeMode);
    EXPECT_EQ(0, settings.AutoRun);
    EXPECT_EQ(1, settings.Preview);
    EXPECT_EQ(0, settings.FullColour);
    // Missing values that the load writes back come back as text.
    EXPECT_EQ("1", Stored("ChangeMode"));
    EXPECT_EQ("0", Stored("AutoRun"));
}

TEST_F(SettingsStore, FullColourIsOnOnlyForExactlyOne)
{
    CreateEmptyKey();
    EXPECT_EQ(0, Load().FullColour);
    for (const char* text : {"0", "2", "x", "", "11"}) {
        Store("FullColour", text);
        EXPECT_EQ(0, Load().FullColour) << text;
    }
    Store("FullColour", "1");
    EXPECT_EQ(1, Load().FullColour);
}

TEST_F(SettingsStore, DesktopIconOptionIsReportedOnlyWhenStored)
{
    CreateEmptyKey();
    bool read = true;
    EXPECT_EQ(0, Load(&read).HideShowDesktopIcon);
    EXPECT_FALSE(read);
    Store("HideShowDesktopIcon", "0");
    EXPECT_EQ(0, Load(&read).HideShowDesktopIcon);
    EXPECT_TRUE(read);
    Store("HideShowDesktopIcon", "1");
    EXPECT_EQ(1, Load(&read).HideShowDesktopIcon);
    EXPECT_TRUE(read);
}

TEST_F(SettingsStore, SaveWritesItsNineValuesWithTheirEncodings)
{
    CreateEmptyKey();
    Settings settings;
    settings.ChangeMode = ChangeInterval;
    settings.ChangeTime = 30;
    settings.ShowMode = ShowStretch;
    settings.SetDefaultUser = 1;
    settings.ShowPic = 1;
    settings.Preview = 1;
    settings.CurPicFileName = "C:\\Pictures\\a.bmp";
    settings.CurSkinIndex = "6F0B2D91-3C4A-4E7B-9A15-2B7D40C8E3A6";
    settings.AutoRun = 1;    // has its own writer
    settings.FullColour = 1; // so has this: a save never adds it
    settings.Today = "20261207";
    {
        CRegistryKey key;
        key.Open(HKEY_CURRENT_USER, kSettingsKeyPath);
        SaveSettings(key, settings);
    }
    const std::map<std::string, std::string> expected = {
        {"Unrelated", "x"},
        {"ChangeMode", "3"},
        {"ChangeTime", "30.000000"},
        {"ShowMode", "2"},
        {"SetDefaultUser", "1"},
        {"HideShowDesktopIcon", "0"},
        {"ShowPic", "1"},
        {"Preview", "1"},
        {"CurPicFileName", "C:\\Pictures\\a.bmp"},
        {"CurSkinIndex", "6F0B2D91-3C4A-4E7B-9A15-2B7D40C8E3A6"},
    };
    EXPECT_EQ(expected, ReadStringValues(HKEY_CURRENT_USER, kSettingsKeyPath));
}

TEST_F(SettingsStore, LongPicturePathSurvivesARestart)
{
    CreateEmptyKey();
    const std::string longPath = "C:\\" + std::string(223, 'p') + ".bmp";
    ASSERT_EQ(230u, longPath.size());
    Settings settings = Load();
    settings.CurPicFileName = longPath;
    {
        CRegistryKey key;
        key.Open(HKEY_CURRENT_USER, kSettingsKeyPath);
        SaveSettings(key, settings);
    }
    EXPECT_EQ(longPath, Load().CurPicFileName);
}

TEST(RegistryKey, ReadsValuesOfAnyLengthAndLeavesTextOnFailure)
{
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Korvex\\TessalyKeyTest");
    CRegistryKey key;
    DWORD disposition = 0;
    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, "Software\\Korvex\\TessalyKeyTest", &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);

    const std::string big(5000, 'x');
    ASSERT_EQ(ERROR_SUCCESS, key.WriteString("Big", big));
    std::string text = "unchanged";
    EXPECT_EQ(ERROR_SUCCESS, key.ReadString("Big", text));
    EXPECT_EQ(big, text);

    text = "unchanged";
    EXPECT_NE(ERROR_SUCCESS, key.ReadString("Missing", text));
    EXPECT_EQ("unchanged", text);

    // A string stored without its terminating zero reads up to its end.
    HKEY raw = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Korvex\\TessalyKeyTest", 0, KEY_SET_VALUE, &raw));
    RegSetValueExA(raw, "Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
    RegCloseKey(raw);
    EXPECT_EQ(ERROR_SUCCESS, key.ReadString("Raw", text));
    EXPECT_EQ("abc", text);

    EXPECT_EQ(ERROR_SUCCESS, key.DeleteValue("Big"));
    EXPECT_NE(ERROR_SUCCESS, key.ReadString("Big", text));
    key.Close();

    CRegistryKey again;
    ASSERT_EQ(ERROR_SUCCESS, again.Open(HKEY_CURRENT_USER, "Software\\Korvex\\TessalyKeyTest", &disposition));
    EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
    again.Close();
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Korvex\\TessalyKeyTest");
}
