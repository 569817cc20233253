// The real program, skinned: its window has the shape of its background,
// its buttons change picture under the real mouse and act, a press on the
// background drags the window, and the skin description file is found,
// or rebuilt after the message, exactly as the build wrote it.

#include "engine/Wallpaper.h"
#include "framework/GdiObject.h"
#include "image/ImageObject.h"
#include "resources/resource.h"
#include "settings/Settings.h"
#include "tests/skin/support/PerPixelRegion.h"
#include "tests/skin/support/ScreenPixels.h"
#include "tests/skin/support/SkinPictures.h"
#include "tests/support/Program.h"
#include "tests/support/RealInput.h"
#include "tests/support/Registry.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowHelpers.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/SkinFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

namespace {

using namespace testing_support;

constexpr wchar_t kCaption[] = L"Orvane Tessaly";
constexpr DWORD kDeadline = 15000; // ms
constexpr int kFirstButtonId = 10000;

bool SystemIsChinese()
{
    return PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_CHINESE;
}

std::string SkinFolderName()
{
    return SystemIsChinese() ? "6F0B2D91-3C4A-4E7B-9A15-2B7D40C8E3A6" : "5D93A1E4_7B20_4C8F_A3D6_91E04F7B2C58";
}

std::vector<uint8_t> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// A first start as far as the program can tell, and no picture shown, so
// the select-picture button is disabled.
void PresetFirstStart()
{
    DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKeyPath);
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "Wallpaper", "");
}

// The program folder with the program, its language modules and both skin
// folders, copied to `to`.
void CopyProgramFolder(const std::string& to)
{
    const std::string from = TestProgramDirectory();
    CreateDirectoryA(to.c_str(), nullptr);
    for (const char* file : {"Tessaly.exe", "English.dll", "chinese.dll"})
        CopyFileA((from + "\\" + file).c_str(), (to + "\\" + file).c_str(), FALSE);
    for (const char* folder : {"5D93A1E4_7B20_4C8F_A3D6_91E04F7B2C58", "6F0B2D91-3C4A-4E7B-9A15-2B7D40C8E3A6"}) {
        CreateDirectoryA((to + "\\" + folder).c_str(), nullptr);
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((from + "\\" + folder + "\\*.*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                CopyFileA((from + "\\" + folder + "\\" + found.cFileName).c_str(),
                          (to + "\\" + folder + "\\" + found.cFileName).c_str(), FALSE);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
}

// Whether the thread is in the system's window-moving loop.
bool IsMovingAWindow(DWORD thread)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE);
}

class RunningProgram {
  public:
    explicit RunningProgram(const std::string& directory = TestProgramDirectory())
        : program_(std::make_unique<Program>(directory + "\\Tessaly.exe", "")), directory_(directory)
    {
    }

    // Ends the program the way a user closes it, so the next start finds
    // no copy still running.
    ~RunningProgram()
    {
        if (window_ && IsWindow(window_)) {
            PostMessageW(window_, WM_CLOSE, 0, 0);
            program_->WaitForExit(kDeadline);
        }
    }

    // Waits for the main window to show; answers the first-start message
    // first when `messageText` is given (its text goes there). Returns what
    // went wrong, or nothing.
    std::string Start(std::wstring* messageText = nullptr)
    {
        if (!program_->Started())
            return "the program did not start";
        if (messageText) {
            HWND box = program_->WaitForMessageBox(kDeadline);
            if (!box)
                return "no message box";
            *messageText = MessageBoxText(box);
            caption_ = WindowTextW(box);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            // Gone before the main window is looked for: a closing box has
            // the same caption.
            if (!PumpUntil([&] { return !IsWindow(box); }, kDeadline))
                return "the message box stayed";
        }
        window_ = program_->WaitForWindow(kCaption, kDeadline);
        if (!window_)
            return "no window";
        if (!PumpUntil([&] { return IsWindowVisible(window_) != FALSE; }, kDeadline))
            return "the window did not show";
        // On top of whatever else the tests show, so the screen is ours.
        SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kDeadline, &result);
        return "";
    }

    HWND Window() const { return window_; }
    HWND Button(int index) const { return GetDlgItem(window_, kFirstButtonId + index); }
    const std::wstring& MessageCaption() const { return caption_; }
    Program& Process() { return *program_; }

    // Ends the program with its exit button, as a user does; false when it
    // did not end by the deadline or ended with a failure code.
    bool ExitWithButton()
    {
        Click(5);
        DWORD exitCode = 1;
        const bool ended = program_->WaitForExit(kDeadline, &exitCode);
        window_ = nullptr;
        return ended && exitCode == 0;
    }
    std::string SkinFile(const std::string& name) const { return directory_ + "\\" + SkinFolderName() + "\\" + name; }

    POINT ClientToScreenPoint(POINT client) const
    {
        ClientToScreen(window_, &client);
        return client;
    }
    POINT ButtonCentre(int index) const
    {
        RECT rect;
        GetWindowRect(Button(index), &rect);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    bool ButtonShows(int index, int state) const
    {
        return SkinButtonShows(Button(index), directory_ + "\\" + SkinFolderName(), index, state);
    }

    // A click as the button gets it from the mouse.
    void Click(int index) const
    {
        PostMessageW(Button(index), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageW(Button(index), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    }

  private:
    std::unique_ptr<Program> program_;
    std::string directory_;
    HWND window_ = nullptr;
    std::wstring caption_;
};

// The shape a window cut to `background` has, in window coordinates: the
// background's pixels other than its top-left colour, scanned one by one.
CRgn ExpectedWindowShape(HWND window, const std::string& background)
{
    CImageObject picture(background, BMP);
    const std::unique_ptr<CBitmap> bitmap = picture.MakeDeviceBitmap();
    WindowDc screen(nullptr);
    OwnedDc memory(CreateCompatibleDC(screen.Get()));
    CRgn shape;
    {
        ScopedSelectObject select(memory.Get(), *bitmap);
        shape = PerPixelRegion(memory.Get(), picture.GetWidth(), picture.GetHeight());
    }
    RECT frame;
    GetWindowRect(window, &frame);
    POINT client = {0, 0};
    ClientToScreen(window, &client);
    shape.OffsetRgn(client.x - frame.left, client.y - frame.top);
    return shape;
}

bool HasShapeOf(HWND window, const std::string& background)
{
    CRgn actual(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, actual) == ERROR)
        return false;
    return EqualRgn(actual, ExpectedWindowShape(window, background)) != FALSE;
}

std::wstring ResourceText(UINT id)
{
    HMODULE module =
        LoadLibraryExA((TestProgramDirectory() + (SystemIsChinese() ? "\\chinese.dll" : "\\English.dll")).c_str(),
                       nullptr, LOAD_LIBRARY_AS_DATAFILE);
    wchar_t text[512] = {};
    LoadStringW(module, id, text, 512);
    FreeLibrary(module);
    return text;
}

// ---- Starting with the skin (these also run on a Chinese system)

// The program folder moved with its skin: no message, no new scan, and the
// window has the size and shape of its background.
TEST(SkinnedStart, AMovedProgramFolderKeepsItsSkinAndShape)
{
    PresetFirstStart();
    TempFolder parent;
    CopyProgramFolder(parent.File("before"));
    ASSERT_TRUE(MoveFileA(parent.File("before").c_str(), parent.File("after").c_str()));
    RunningProgram program(parent.File("after"));
    const std::vector<uint8_t> shipped = FileBytes(program.SkinFile("Quorrel.ini"));
    ASSERT_EQ("", program.Start()) << "no message may come first";

    const std::string background = program.SkinFile("bg.bmp");
    EXPECT_TRUE(HasShapeOf(program.Window(), background));
    const PicturePixels picture = ReadPicture(background);
    RECT client;
    GetClientRect(program.Window(), &client);
    EXPECT_EQ(picture.width, client.right);
    EXPECT_EQ(picture.height, client.bottom);
    EXPECT_EQ(shipped, FileBytes(program.SkinFile("Quorrel.ini")));
}

// Where the fields of a description file lie, found by reading it.
struct Offsets {
    size_t backgroundLength;
    size_t buttonCount;
};

Offsets FieldOffsets(const std::vector<uint8_t>& file)
{
    ::SkinFile parsed;
    EXPECT_TRUE(ParseSkinFile(file.data(), file.size(), parsed));
    const size_t backgroundLength = 4 + parsed.windowRegion.size();
    return {backgroundLength, backgroundLength + 1 + parsed.backgroundName.size()};
}

TEST(SkinnedStart, AMissingOrDamagedDescriptionIsRebuiltAfterTheMessage)
{
    TempFolder parent;
    const std::string directory = parent.File("program");
    CopyProgramFolder(directory);
    const std::string ini = directory + "\\" + SkinFolderName() + "\\Quorrel.ini";
    const std::vector<uint8_t> shipped = FileBytes(ini);
    const Offsets at = FieldOffsets(shipped);

    const std::vector<std::pair<const char*, std::function<void(std::vector<uint8_t>&)>>> damages = {
        {"missing", nullptr},
        {"one byte short", [](std::vector<uint8_t>& b) { b.pop_back(); }},
        {"51 buttons", [&](std::vector<uint8_t>& b) { b[at.buttonCount] = 51; }},
        {"background name longer than the file", [&](std::vector<uint8_t>& b) { b[at.backgroundLength] = 254; }},
        {"window region of the wrong type", [](std::vector<uint8_t>& b) { b[8] = 2; }},
    };
    for (const auto& [what, damage] : damages) {
        SCOPED_TRACE(what);
        PresetFirstStart();
        if (damage) {
            std::vector<uint8_t> bytes = shipped;
            damage(bytes);
            WriteFileBytes(ini, bytes);
        } else {
            DeleteFileA(ini.c_str());
        }
        RunningProgram program(directory);
        std::wstring message;
        ASSERT_EQ("", program.Start(&message));
        EXPECT_EQ(ResourceText(IDS_SKIN_FILE_MISSING), message);
        EXPECT_EQ(ResourceText(IDS_APP_TITLE), program.MessageCaption());
        // The program's own rebuild writes what the build wrote.
        EXPECT_EQ(shipped, FileBytes(ini));
        EXPECT_TRUE(HasShapeOf(program.Window(), program.SkinFile("bg.bmp")));
    }
}

// Without the skin of its language the window takes the other shipped one;
// with neither it keeps a plain dialog frame and says what is missing.
TEST(SkinnedStart, AMissingSkinGivesWayToTheOtherAndWithNoneTheWindowStaysPlain)
{
    TempFolder parent;
    const std::string directory = parent.File("program");
    CopyProgramFolder(directory);
    const std::string own = directory + "\\" + SkinFolderName();
    const std::string other =
        directory + "\\" +
        (SystemIsChinese() ? "5D93A1E4_7B20_4C8F_A3D6_91E04F7B2C58" : "6F0B2D91-3C4A-4E7B-9A15-2B7D40C8E3A6");
    ASSERT_TRUE(MoveFileA(own.c_str(), (own + ".away").c_str()));
    {
        PresetFirstStart();
        RunningProgram program(directory);
        ASSERT_EQ("", program.Start()) << "no message may come first";
        EXPECT_TRUE(HasShapeOf(program.Window(), other + "\\bg.bmp"));
        EXPECT_NE(nullptr, program.Button(5));
    }
    WriteFileBytes(other + "\\bg.bmp", {'B', 'M'});
    PresetFirstStart();
    RunningProgram program(directory);
    std::wstring message;
    ASSERT_EQ("", program.Start(&message));
    for (const std::string& named : {own, other + "\\bg.bmp"})
        EXPECT_NE(std::wstring::npos, message.find(std::wstring(named.begin(), named.end()))) << named;
    EXPECT_EQ(std::wstring::npos, message.find(ResourceText(IDS_SKIN_FILE_MISSING)));
    const LONG style = GetWindowLongW(program.Window(), GWL_STYLE);
    EXPECT_EQ(WS_CAPTION | WS_SYSMENU, style & (WS_CAPTION | WS_SYSMENU));
    CRgn shape(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(ERROR, GetWindowRgn(program.Window(), shape)) << "the caption is cut away";
}

FILETIME LastWriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// Installed in Program Files, the skin folder is read-only to the user: the
// shipped description is read, and neither a start nor an exit writes it.
// A rewrite would give it today's time, so it is dated long ago first.
TEST(SkinnedStart, TheShippedDescriptionIsReadAndNeverWritten)
{
    PresetFirstStart();
    TempFolder parent;
    CopyProgramFolder(parent.File("program"));
    RunningProgram program(parent.File("program"));
    const std::string ini = program.SkinFile("Quorrel.ini");
    const std::vector<uint8_t> shipped = FileBytes(ini);
    {
        HANDLE file = CreateFileA(ini.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        SYSTEMTIME longAgo = {2001, 3, 0, 14, 9, 30, 0, 0};
        FILETIME shippedTime = {};
        SystemTimeToFileTime(&longAgo, &shippedTime);
        const BOOL dated = SetFileTime(file, nullptr, nullptr, &shippedTime);
        CloseHandle(file);
        ASSERT_TRUE(dated);
    }
    const FILETIME shippedTime = LastWriteTime(ini);

    ASSERT_EQ("", program.Start()) << "no message may come first";
    EXPECT_TRUE(HasShapeOf(program.Window(), program.SkinFile("bg.bmp")));
    ASSERT_TRUE(program.ExitWithButton());

    EXPECT_EQ(shipped, FileBytes(ini));
    const FILETIME now = LastWriteTime(ini);
    EXPECT_EQ(0, CompareFileTime(&shippedTime, &now)) << "the description was written";
}

// A description that is missing and cannot be written (here a folder holds
// its name, so it can be neither read nor created, as in a read-only skin
// folder): every start shows the message once, the window still takes its
// shape from the pictures, and the program ends cleanly.
TEST(SkinnedStart, AnUnwritableMissingDescriptionGivesOneMessageEachStart)
{
    TempFolder parent;
    const std::string directory = parent.File("program");
    CopyProgramFolder(directory);
    const std::string ini = directory + "\\" + SkinFolderName() + "\\Quorrel.ini";
    ASSERT_TRUE(DeleteFileA(ini.c_str()));
    ASSERT_TRUE(CreateDirectoryA(ini.c_str(), nullptr));

    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE("start " + std::to_string(start));
        PresetFirstStart();
        RunningProgram program(directory);
        std::wstring message;
        ASSERT_EQ("", program.Start(&message));
        EXPECT_EQ(ResourceText(IDS_SKIN_FILE_MISSING), message);
        // The window shows only after the skin is made: a second message
        // would have come before it.
        EXPECT_EQ(nullptr, program.Process().WaitForMessageBox(0)) << "a second message";
        EXPECT_TRUE(HasShapeOf(program.Window(), program.SkinFile("bg.bmp")));
        // Its skin buttons act: the hide button hides it.
        program.Click(2);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(program.Window()); }, kDeadline));
        ASSERT_TRUE(program.ExitWithButton());
        EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    }
}

// ---- The window under the mouse

TEST(SkinnedWindow, ATooltipShowsWhileTheMouseRestsOnAButton)
{
    PresetFirstStart();
    RunningProgram program;
    ASSERT_EQ("", program.Start());
    POINT cursor = program.ButtonCentre(1);
    ASSERT_TRUE(MovePointerTo(cursor));
    // Tooltips only show when the mouse's messages are relayed to them. A
    // tip waits for the mouse to rest; should a move get lost on a busy
    // machine, the hand moves a pixel now and then, as a hand does.
    auto tipShows = [&] {
        for (HWND window : ProcessWindows(program.Process().Id())) {
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            RECT tip = {};
            GetWindowRect(window, &tip);
            if (lstrcmpiW(name, L"tooltips_class32") == 0 && IsWindowVisible(window) && tip.top >= cursor.y &&
                tip.top < cursor.y + 60)
                return true;
        }
        return false;
    };
    int polls = 0;
    EXPECT_TRUE(PumpUntil(
        [&] {
            if (tipShows())
                return true;
            if (++polls % 150 == 0) {
                cursor.x ^= 1;
                MovePointerTo(cursor);
            }
            return false;
        },
        kDeadline));
    EXPECT_TRUE(program.ButtonShows(0, Disabled)) << "no picture is shown, so there is none to choose";
}

TEST(SkinnedWindow, APressOnTheBackgroundDragsTheWindow)
{
    PresetFirstStart();
    RunningProgram program;
    ASSERT_EQ("", program.Start());
    RECT before;
    GetWindowRect(program.Window(), &before);

    // The window follows the mouse once the system's move loop runs, and
    // stays where the button goes up.
    const POINT at = program.ClientToScreenPoint({8, 300});
    // The hand comes in over the window, and the program has taken those
    // moves before the press: Wine starts the move loop from the position
    // the program last saw, which an earlier test left on a skin button.
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(MovePointerTo({at.x + 1, at.y + 1}));
    SendMessageTimeoutA(program.Window(), WM_NULL, 0, 0, SMTO_NORMAL, kDeadline, &ignored);
    ASSERT_TRUE(MovePointerTo(at));
    SendMessageTimeoutA(program.Window(), WM_NULL, 0, 0, SMTO_NORMAL, kDeadline, &ignored);
    ASSERT_TRUE(MovePointerTo(at, MOUSEEVENTF_LEFTDOWN));
    const DWORD thread = GetWindowThreadProcessId(program.Window(), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return IsMovingAWindow(thread); }, kDeadline));
    RECT now = {};
    for (int step = 1; step <= 10; ++step) {
        // Each step waits for the window to follow, as a hand is slower than the loop.
        ASSERT_TRUE(MovePointerTo({at.x + 6 * step, at.y + 4 * step}));
        EXPECT_TRUE(PumpUntil(
            [&] {
                GetWindowRect(program.Window(), &now);
                return now.left == before.left + 6 * step && now.top == before.top + 4 * step;
            },
            kDeadline))
            << "step " << step << ": moved by " << now.left - before.left << ", " << now.top - before.top;
    }
    ASSERT_TRUE(MovePointerTo({at.x + 60, at.y + 40}, MOUSEEVENTF_LEFTUP));
    EXPECT_TRUE(PumpUntil([&] { return !IsMovingAWindow(thread); }, kDeadline));
    GetWindowRect(program.Window(), &now);
    EXPECT_EQ(before.left + 60, now.left);
    EXPECT_EQ(before.top + 40, now.top);
}

TEST(SkinnedWindow, HideButtonHidesAndExitButtonEndsTheProgram)
{
    PresetFirstStart();
    RunningProgram program;
    ASSERT_EQ("", program.Start());
    program.Click(2);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(program.Window()); }, kDeadline));
    program.Click(5);
    EXPECT_TRUE(program.Process().WaitForExit(kDeadline));
}

} // namespace
