// The installer's round trips on a machine: a silent install lays out the
// shippable folder in Program Files, the installed program starts from
// there and changes the wallpaper, and the uninstaller ends the running
// copy and removes its files, its shortcut and both log-on entries. Run by
// hand, the uninstaller asks before it removes the user's settings. For
// the user alone, the same happens in the user's own folders, an upgrade
// replaces a running copy and starts it again with its settings, and an
// older setup refuses to replace a newer version.

#include "engine/LogonStart.h"
#include "engine/Wallpaper.h"
#include "framework/Path.h"
#include "settings/Settings.h"
#include "tests/engine/TestPictures.h"
#include "tests/install/Installation.h"
#include "tests/support/Program.h"
#include "tests/support/Registry.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Tessaly.h"
#include "tests/support/TessalyState.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

using namespace install_test;
using namespace testing_support;

namespace {

constexpr DWORD kSetupTimeout = 120000; // ms, for installing and uninstalling
constexpr DWORD kProgramTimeout = 30000;
constexpr char kNeighbourRunValue[] = "TessalyTestNeighbour";

bool SettingsKeyExists()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Settings of a user who shows pictures from `picture`'s folder and has
// one picture more at each start, with that picture on the desktop.
void PresetChangeAtEachStart(const std::string& picture)
{
    PresetSettings({{"ChangeMode", "1"}, {"CurPicFileName", picture}, {"AutoRun", "0"}});
    PresetDesktop(picture, 2);
}

// The desktop's wallpaper values as they were, put back when it ends: the
// installed program changes them, and the other tests start from them.
class KeptStringValues {
  public:
    KeptStringValues(HKEY root, const char* path) : m_root(root), m_path(path), m_values(ReadStringValues(root, path))
    {
    }
    ~KeptStringValues()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(m_root, m_path, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            for (const auto& [name, text] : ReadStringValues(m_root, m_path))
                if (!m_values.count(name))
                    RegDeleteValueA(key, name.c_str());
            RegCloseKey(key);
        }
        for (const auto& [name, text] : m_values)
            WriteStringValue(m_root, m_path, name.c_str(), text);
    }
    KeptStringValues(const KeptStringValues&) = delete;
    KeptStringValues& operator=(const KeptStringValues&) = delete;

  private:
    HKEY m_root;
    const char* m_path;
    std::map<std::string, std::string> m_values;
};

class InstallRoundTrip : public ::testing::Test {
  protected:
    KeptStringValues m_userDesktop{HKEY_CURRENT_USER, kUserDesktopKeyPath};
    KeptStringValues m_shellDesktop{HKEY_CURRENT_USER, kShellDesktopKeyPath};

    void SetUp() override
    {
        ASSERT_TRUE(FileExists(SetupProgram())) << "no installer at '" << SetupProgram() << "': run make dist";
        ASSERT_TRUE(FolderExists(ShippedFolder())) << "no shippable folder at '" << ShippedFolder() << "'";
        RemoveEarlierInstallations();
        for (const Kind kind : {Kind::CurrentUser, Kind::AllUsers})
            ASSERT_FALSE(FolderExists(InstallFolder(kind))) << "an earlier installation is in the way";
    }
    void TearDown() override
    {
        RemoveEarlierInstallations();
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKeyPath);
        HKEY run = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kUserRunKeyPath, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
            RegDeleteValueA(run, kNeighbourRunValue);
            RegDeleteValueA(run, kRunValueName);
            RegCloseKey(run);
        }
    }

    void InstallSilently()
    {
        ASSERT_EQ(0, RunToEnd(SetupProgram(), SilentSetupSwitches(Kind::AllUsers), kSetupTimeout));
        ASSERT_TRUE(FileExists(InstallFolder(Kind::AllUsers) + "\\Tessaly.exe"));
    }
};

// Nothing of an installation of `kind`: Wine lets a standard user's
// installer write anywhere, so this is where one that went astray shows.
void ExpectNoInstallation(Kind kind)
{
    EXPECT_FALSE(FolderExists(InstallFolder(kind)));
    EXPECT_FALSE(FolderExists(StartMenuFolder(kind)));
    EXPECT_FALSE(UninstallEntryExists(kind));
}

TEST_F(InstallRoundTrip, SilentInstallRunsFromProgramFilesAndSilentUninstallLeavesNothing)
{
    InstallSilently();
    const std::string folder = InstallFolder(Kind::AllUsers);
    ExpectNoInstallation(Kind::CurrentUser);

    // Every file of the shippable folder, byte for byte, and the uninstaller;
    // among them the HEIF libraries beside the program, with their licences.
    auto expected = FilesBelow(ShippedFolder());
    ASSERT_FALSE(expected.empty());
    for (const char* file : {"libheif.dll", "libde265.dll", "licenses\\libheif.txt", "licenses\\libde265.txt"})
        EXPECT_TRUE(std::binary_search(expected.begin(), expected.end(), file)) << file;
    for (const std::string& file : expected)
        EXPECT_EQ(FileBytes(ShippedFolder() + "\\" + file), FileBytes(folder + "\\" + file)) << file;
    expected.push_back("Uninstall.exe");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, FilesBelow(folder));
    EXPECT_TRUE(FileExists(StartMenuShortcut(Kind::AllUsers)));

    // The entry in "Add or remove programs" shows the program's own version.
    const std::string version = ProductVersion(folder + "\\Tessaly.exe");
    EXPECT_FALSE(version.empty());
    EXPECT_EQ(version, InstalledVersion(Kind::AllUsers));
    EXPECT_EQ("\"" + folder + "\\Uninstall.exe\"",
              ReadStringValue(HKEY_LOCAL_MACHINE, kUninstallKeyPath, "UninstallString").value_or(""));

    // Started from there at log-on, it changes the wallpaper at once.
    TempFolder pictures;
    const std::string first = pictures.File("a.bmp");
    const std::string second = pictures.File("b.bmp");
    ASSERT_TRUE(WritePicture(first, 8, 8));
    ASSERT_TRUE(WritePicture(second, 9, 9));
    PresetChangeAtEachStart(first);
    Tessaly program("min", folder);
    ASSERT_TRUE(program.Window());
    EXPECT_TRUE(PumpUntil([&] { return DesktopValue("Wallpaper") == second; }, kProgramTimeout))
        << DesktopValue("Wallpaper");

    // Log-on entries in both keys, as the program writes them, beside
    // another program's entry that must stay.
    const std::string runCommand = folder + "\\Tessaly.exe min";
    WriteStringValue(HKEY_LOCAL_MACHINE, kRunKeyPath, kRunValueName, runCommand);
    WriteStringValue(HKEY_CURRENT_USER, kUserRunKeyPath, kRunValueName, runCommand);
    WriteStringValue(HKEY_CURRENT_USER, kUserRunKeyPath, kNeighbourRunValue, "neighbour.exe");

    // The bitmaps it converts pictures into, the desktop showing one.
    for (const std::string& bitmap : WallpaperBitmapLocations()) {
        CreateDirectoryA(DirectoryOfPath(bitmap).c_str(), nullptr);
        ASSERT_TRUE(WritePicture(bitmap, 4, 4));
    }
    PresetDesktop(LocalWallpaperBitmapPath());

    // Uninstalled while it runs hidden in the notification area.
    ASSERT_EQ(0, RunToEnd(folder + "\\Uninstall.exe", "/S", kSetupTimeout));
    ASSERT_TRUE(WaitForUninstallEntryGone(Kind::AllUsers, kSetupTimeout));
    DWORD exitCode = 1;
    EXPECT_TRUE(program.Process().WaitForExit(kProgramTimeout, &exitCode));
    EXPECT_EQ(0u, exitCode) << "the running copy was terminated instead of closed";

    ExpectNoInstallation(Kind::AllUsers);
    EXPECT_FALSE(ReadStringValue(HKEY_LOCAL_MACHINE, kRunKeyPath, kRunValueName));
    EXPECT_FALSE(ReadStringValue(HKEY_CURRENT_USER, kUserRunKeyPath, kRunValueName));
    EXPECT_EQ("neighbour.exe", ReadStringValue(HKEY_CURRENT_USER, kUserRunKeyPath, kNeighbourRunValue));
    // A silent uninstall keeps the settings, which the program saved as it closed.
    EXPECT_EQ(second, Setting("CurPicFileName"));
    for (const std::string& bitmap : WallpaperBitmapLocations())
        EXPECT_FALSE(FileExists(bitmap)) << bitmap;
    EXPECT_EQ("", DesktopValue("Wallpaper")) << "the desktop names a file that is gone";
}

// The program's main window, once a copy of it runs.
HWND WaitForMainWindow()
{
    HWND window = nullptr;
    PumpUntil([&] { return (window = FindWindowW(nullptr, L"Orvane Tessaly")) != nullptr; }, kProgramTimeout);
    return window;
}

TEST_F(InstallRoundTrip, ForTheUserAloneAnUpgradeRestartsTheRunningCopyWithItsSettingsAndADowngradeIsRefused)
{
    // The user's log-on entry, written by an all-users copy, starts the
    // user's own copy once there is one.
    const std::string folder = InstallFolder(Kind::CurrentUser);
    const std::string runCommand = "\"" + folder + "\\Tessaly.exe\" min";
    WriteStringValue(HKEY_CURRENT_USER, kUserRunKeyPath, kRunValueName,
                     "\"" + InstallFolder(Kind::AllUsers) + "\\Tessaly.exe\" min");
    ASSERT_FALSE(OlderSetupProgram().empty());
    ASSERT_EQ(0, RunToEnd(OlderSetupProgram(), SilentSetupSwitches(Kind::CurrentUser), kSetupTimeout));
    EXPECT_EQ(runCommand, ReadStringValue(HKEY_CURRENT_USER, kUserRunKeyPath, kRunValueName));
    ASSERT_TRUE(FileExists(folder + "\\Tessaly.exe"));
    EXPECT_TRUE(FileExists(StartMenuShortcut(Kind::CurrentUser)));
    EXPECT_EQ("0.9.0", InstalledVersion(Kind::CurrentUser));
    ExpectNoInstallation(Kind::AllUsers);

    // Started from there at log-on, hidden, it changes the wallpaper at once.
    TempFolder pictures;
    const std::string first = pictures.File("a.bmp");
    const std::string second = pictures.File("b.bmp");
    ASSERT_TRUE(WritePicture(first, 8, 8));
    ASSERT_TRUE(WritePicture(second, 9, 9));
    PresetChangeAtEachStart(first);
    WriteStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, "AutoRun", "1");
    Tessaly program("min", folder);
    ASSERT_TRUE(program.Window());
    ASSERT_TRUE(PumpUntil([&] { return DesktopValue("Wallpaper") == second; }, kProgramTimeout))
        << DesktopValue("Wallpaper");

    // The upgrade closes it, so it saves its settings, and starts the new
    // version hidden again, which reads them and moves on to the next picture.
    // Another window of the program's caption on top (Explorer titles a
    // window showing the program's folder so) is neither closed nor taken
    // for the program's.
    HWND other = CreateWindowExW(0, L"STATIC", kProgramCaption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    Program upgrade(SetupProgram(), SilentSetupSwitches(Kind::CurrentUser));
    DWORD setupExitCode = 1;
    ASSERT_TRUE(PumpUntil([&] { return upgrade.WaitForExit(0, &setupExitCode); }, kSetupTimeout));
    EXPECT_EQ(0u, setupExitCode);
    EXPECT_TRUE(IsWindow(other)) << "another program's window was closed";
    DestroyWindow(other);
    DWORD exitCode = 1;
    EXPECT_TRUE(program.Process().WaitForExit(kProgramTimeout, &exitCode));
    EXPECT_EQ(0u, exitCode) << "the running copy was terminated instead of closed";
    auto settings = ReadStringValues(HKEY_CURRENT_USER, kSettingsKeyPath);
    EXPECT_EQ(second, settings["CurPicFileName"]);
    const std::string version = ProductVersion(folder + "\\Tessaly.exe");
    EXPECT_EQ(version, InstalledVersion(Kind::CurrentUser));
    const HWND restarted = WaitForMainWindow();
    ASSERT_NE(nullptr, restarted) << "the upgraded program was not started again";
    EXPECT_FALSE(IsWindowVisible(restarted));
    EXPECT_TRUE(PumpUntil([&] { return DesktopValue("Wallpaper") == first; }, kProgramTimeout))
        << DesktopValue("Wallpaper");
    EXPECT_EQ(runCommand, ReadStringValue(HKEY_CURRENT_USER, kUserRunKeyPath, kRunValueName));

    // The older setup refuses to replace it and leaves it running.
    EXPECT_EQ(2, RunToEnd(OlderSetupProgram(), SilentSetupSwitches(Kind::CurrentUser), kSetupTimeout));
    EXPECT_EQ(version, InstalledVersion(Kind::CurrentUser));
    EXPECT_TRUE(IsWindow(restarted));

    // Its uninstaller ends it and leaves nothing of it but the settings.
    ASSERT_EQ(0, RunToEnd(folder + "\\Uninstall.exe", "/S", kSetupTimeout));
    ASSERT_TRUE(WaitForUninstallEntryGone(Kind::CurrentUser, kSetupTimeout));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(restarted); }, kProgramTimeout));
    ExpectNoInstallation(Kind::CurrentUser);
    EXPECT_FALSE(ReadStringValue(HKEY_CURRENT_USER, kUserRunKeyPath, kRunValueName));
    ExpectNoInstallation(Kind::AllUsers);
    // Closed by the uninstaller, the new version saved every setting as it
    // found them, but for the picture it moved on to and the one it left.
    settings["CurPicFileName"] = first;
    settings["History"] = second + "|" + settings["History"];
    EXPECT_EQ(settings, ReadStringValues(HKEY_CURRENT_USER, kSettingsKeyPath));
}

// A visible dialog of any process that `matches`, waiting for it.
template <typename Matches> HWND FindDialog(Matches matches)
{
    HWND found = nullptr;
    PumpUntil(
        [&] {
            for (found = GetTopWindow(nullptr); found; found = GetWindow(found, GW_HWNDNEXT)) {
                wchar_t className[16] = {};
                GetClassNameW(found, className, 16);
                if (lstrcmpW(className, L"#32770") == 0 && IsWindowVisible(found) && matches(found))
                    return true;
            }
            return false;
        },
        kSetupTimeout);
    return found;
}

// The uninstaller's wizard, once its main button can be pressed.
HWND FindUninstallWizard()
{
    return FindDialog([](HWND dialog) {
        const HWND button = GetDlgItem(dialog, IDOK);
        return WindowTextW(dialog).rfind(L"Orvane Tessaly Uninstall", 0) == 0 && button && IsWindowEnabled(button);
    });
}

// The uninstaller's question: a message box with Yes and No buttons.
HWND FindQuestion()
{
    return FindDialog([](HWND dialog) { return GetDlgItem(dialog, IDYES) && GetDlgItem(dialog, IDNO); });
}

void EndProcessOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (!process)
        return;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kProgramTimeout);
    CloseHandle(process);
}

void Click(HWND dialog, int buttonId)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, buttonId), BM_CLICK, 0, 0, SMTO_NORMAL, kProgramTimeout, &result);
}

TEST_F(InstallRoundTrip, UninstallingByHandAsksBeforeRemovingTheSettings)
{
    InstallSilently();
    WriteStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, "ChangeMode", "2");

    Program uninstaller(InstallFolder(Kind::AllUsers) + "\\Uninstall.exe", "");
    ASSERT_TRUE(uninstaller.Started());
    HWND wizard = FindUninstallWizard();
    ASSERT_NE(nullptr, wizard);
    // Whatever fails below, the wizard does not stay open.
    const std::unique_ptr<void, void (*)(void*)> endWizard(wizard, [](void* window) {
        if (IsWindow(static_cast<HWND>(window)))
            EndProcessOf(static_cast<HWND>(window));
    });
    Click(wizard, IDOK); // "Uninstall" on the confirmation page

    HWND question = FindQuestion();
    ASSERT_NE(nullptr, question);
    EXPECT_NE(std::wstring::npos, MessageBoxText(question).find(L"settings")) << MessageBoxText(question);
    // The files are gone before the question is asked; the settings stay until it is answered.
    EXPECT_FALSE(FileExists(InstallFolder(Kind::AllUsers) + "\\Tessaly.exe"));
    EXPECT_TRUE(SettingsKeyExists());
    Click(question, IDYES);

    ASSERT_TRUE(WaitForUninstallEntryGone(Kind::AllUsers, kSetupTimeout));
    EXPECT_FALSE(SettingsKeyExists());
    EXPECT_FALSE(FolderExists(InstallFolder(Kind::AllUsers)));
    // The wizard moves on to its last page by itself.
    EXPECT_TRUE(PumpUntil([&] { return WindowTextW(GetDlgItem(wizard, IDOK)) == L"&Finish"; }, kProgramTimeout));
    Click(wizard, IDOK);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(wizard); }, kProgramTimeout));
}

} // namespace
