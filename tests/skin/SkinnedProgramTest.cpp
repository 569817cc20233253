// The real program, skinned: its window has the shape of its background,
// its buttons change picture under the real mouse and act, a press on the
// background drags the window, and the skin description file is found,
// or rebuilt after the message, exactly as the build wrote it.

#include "framework/GdiObject.h"
#include "image/ImageObject.h"
#include "resources/resource.h"
#include "tests/image/support/FileBytes.h"
#include "tests/skin/support/PerPixelRegion.h"
#include "tests/skin/support/ScreenPixels.h"
#include "tests/skin/support/SkinPictures.h"
#include "tests/support/RealInput.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Tessaly.h"
#include "tests/support/TessalyState.h"
#include "tests/support/WindowHelpers.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/SkinFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using namespace testing_support;

std::string SkinFolderName()
{
    return SystemIsChinese() ? "6F0B2D91-3C4A-4E7B-9A15-2B7D40C8E3A6" : "5D93A1E4_7B20_4C8F_A3D6_91E04F7B2C58";
}

// A first start as far as the program can tell, and no picture shown, so
// the select-picture button is disabled.
void PresetFirstStart()
{
    PresetSettings();
    PresetDesktop("");
}

// Whether the thread is in the system's window-moving loop.
bool IsMovingAWindow(DWORD thread)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE);
}

std::string SkinFileIn(const std::string& folder, const std::string& name)
{
    return folder + "\\" + SkinFolderName() + "\\" + name;
}

const std::vector<std::wstring> kNoMessage;

// The program started from `folder`, on top of whatever else the tests
// show, so the screen is ours.
class SkinnedProgram : public Tessaly {
  public:
    explicit SkinnedProgram(const std::string& folder = TestProgramDirectory()) : Tessaly("", folder), folder_(folder)
    {
        SetWindowPos(Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    std::string SkinFile(const std::string& name) const { return SkinFileIn(folder_, name); }
    POINT ButtonCentre(int index) const
    {
        RECT rect;
        GetWindowRect(Control(kFirstSkinButtonId + index), &rect);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    bool ButtonShows(int index, int state) const
    {
        return SkinButtonShows(Control(kFirstSkinButtonId + index), folder_ + "\\" + SkinFolderName(), index, state);
    }
    // Ends the program with its exit button, as a user does; false when it
    // did not end by the deadline or ended with a failure code.
    bool ExitWithButton()
    {
        PressSkinButton(5);
        DWORD exitCode = 1;
        return Ends(&exitCode) && exitCode == 0;
    }

  private:
    std::string folder_;
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

// ---- Starting with the skin (these also run on a Chinese system)

// The program folder moved with its skin: no message, no new scan, and the
// window has the size and shape of its background.
TEST(SkinnedStart, AMovedProgramFolderKeepsItsSkinAndShape)
{
    PresetFirstStart();
    TempFolder parent;
    CopyProgramFolder(parent.File("before"));
    ASSERT_TRUE(MoveFileA(parent.File("before").c_str(), parent.File("after").c_str()));
    const std::vector<uint8_t> shipped = ReadFileBytes(SkinFileIn(parent.File("after"), "Quorrel.ini"));
    SkinnedProgram program(parent.File("after"));
    ASSERT_TRUE(program.BecomesVisible());
    EXPECT_EQ(kNoMessage, program.StartMessages()) << "no message may come first";

    const std::string background = program.SkinFile("bg.bmp");
    EXPECT_TRUE(HasShapeOf(program.Window(), background));
    const PicturePixels picture = ReadPicture(background);
    RECT client;
    GetClientRect(program.Window(), &client);
    EXPECT_EQ(picture.width, client.right);
    EXPECT_EQ(picture.height, client.bottom);
    EXPECT_EQ(shipped, ReadFileBytes(program.SkinFile("Quorrel.ini")));
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
    const std::string ini = SkinFileIn(directory, "Quorrel.ini");
    const std::vector<uint8_t> shipped = ReadFileBytes(ini);
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
        SkinnedProgram program(directory);
        ASSERT_TRUE(program.BecomesVisible());
        EXPECT_EQ(std::vector<std::wstring>{ProgramText(IDS_SKIN_FILE_MISSING)}, program.StartMessages());
        EXPECT_EQ(ProgramText(IDS_APP_TITLE), program.LastMessageCaption());
        // The program's own rebuild writes what the build wrote.
        EXPECT_EQ(shipped, ReadFileBytes(ini));
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
        SkinnedProgram program(directory);
        ASSERT_TRUE(program.BecomesVisible());
        EXPECT_EQ(kNoMessage, program.StartMessages()) << "no message may come first";
        EXPECT_TRUE(HasShapeOf(program.Window(), other + "\\bg.bmp"));
        EXPECT_NE(nullptr, program.Control(kFirstSkinButtonId + 5));
    }
    WriteFileBytes(other + "\\bg.bmp", {'B', 'M'});
    PresetFirstStart();
    SkinnedProgram program(directory);
    ASSERT_TRUE(program.BecomesVisible());
    ASSERT_EQ(1u, program.StartMessages().size());
    const std::wstring& message = program.StartMessages()[0];
    for (const std::string& named : {own, other + "\\bg.bmp"})
        EXPECT_NE(std::wstring::npos, message.find(std::wstring(named.begin(), named.end()))) << named;
    EXPECT_EQ(std::wstring::npos, message.find(ProgramText(IDS_SKIN_FILE_MISSING)));
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
    const std::string ini = SkinFileIn(parent.File("program"), "Quorrel.ini");
    const std::vector<uint8_t> shipped = ReadFileBytes(ini);
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

    SkinnedProgram program(parent.File("program"));
    ASSERT_TRUE(program.BecomesVisible());
    EXPECT_EQ(kNoMessage, program.StartMessages()) << "no message may come first";
    EXPECT_TRUE(HasShapeOf(program.Window(), program.SkinFile("bg.bmp")));
    ASSERT_TRUE(program.ExitWithButton());

    EXPECT_EQ(shipped, ReadFileBytes(ini));
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
    const std::string ini = SkinFileIn(directory, "Quorrel.ini");
    ASSERT_TRUE(DeleteFileA(ini.c_str()));
    ASSERT_TRUE(CreateDirectoryA(ini.c_str(), nullptr));

    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE("start " + std::to_string(start));
        PresetFirstStart();
        // The window shows only after the skin is made: a second message
        // would have come before it.
        SkinnedProgram program(directory);
        ASSERT_TRUE(program.BecomesVisible());
        EXPECT_EQ(std::vector<std::wstring>{ProgramText(IDS_SKIN_FILE_MISSING)}, program.StartMessages());
        EXPECT_TRUE(HasShapeOf(program.Window(), program.SkinFile("bg.bmp")));
        // Its skin buttons act: the hide button hides it.
        program.PressSkinButton(2);
        EXPECT_TRUE(program.BecomesHidden());
        ASSERT_TRUE(program.ExitWithButton());
        EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    }
}

// ---- The window under the mouse

TEST(SkinnedWindow, ATooltipShowsWhileTheMouseRestsOnAButton)
{
    PresetFirstStart();
    SkinnedProgram program;
    ASSERT_TRUE(program.BecomesVisible());
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
        kProgramDeadline));
    EXPECT_TRUE(program.ButtonShows(0, Disabled)) << "no picture is shown, so there is none to choose";
}

TEST(SkinnedWindow, APressOnTheBackgroundDragsTheWindow)
{
    PresetFirstStart();
    SkinnedProgram program;
    ASSERT_TRUE(program.BecomesVisible());
    RECT before;
    GetWindowRect(program.Window(), &before);

    // The window follows the mouse once the system's move loop runs, and
    // stays where the button goes up.
    POINT at = {8, 300};
    ClientToScreen(program.Window(), &at);
    // The hand comes in over the window, and the program has taken those
    // moves before the press: Wine starts the move loop from the position
    // the program last saw, which an earlier test left on a skin button.
    ASSERT_TRUE(MovePointerTo({at.x + 1, at.y + 1}));
    SendWithin(program.Window(), WM_NULL, 0, 0, kProgramDeadline);
    ASSERT_TRUE(MovePointerTo(at));
    SendWithin(program.Window(), WM_NULL, 0, 0, kProgramDeadline);
    ASSERT_TRUE(MovePointerTo(at, MOUSEEVENTF_LEFTDOWN));
    const DWORD thread = GetWindowThreadProcessId(program.Window(), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return IsMovingAWindow(thread); }, kProgramDeadline));
    RECT now = {};
    for (int step = 1; step <= 10; ++step) {
        // Each step waits for the window to follow, as a hand is slower than the loop.
        ASSERT_TRUE(MovePointerTo({at.x + 6 * step, at.y + 4 * step}));
        EXPECT_TRUE(PumpUntil(
            [&] {
                GetWindowRect(program.Window(), &now);
                return now.left == before.left + 6 * step && now.top == before.top + 4 * step;
            },
            kProgramDeadline))
            << "step " << step << ": moved by " << now.left - before.left << ", " << now.top - before.top;
    }
    ASSERT_TRUE(MovePointerTo({at.x + 60, at.y + 40}, MOUSEEVENTF_LEFTUP));
    EXPECT_TRUE(PumpUntil([&] { return !IsMovingAWindow(thread); }, kProgramDeadline));
    GetWindowRect(program.Window(), &now);
    EXPECT_EQ(before.left + 60, now.left);
    EXPECT_EQ(before.top + 40, now.top);
}

TEST(SkinnedWindow, HideButtonHidesAndExitButtonEndsTheProgram)
{
    PresetFirstStart();
    SkinnedProgram program;
    ASSERT_TRUE(program.BecomesVisible());
    program.PressSkinButton(2);
    EXPECT_TRUE(program.BecomesHidden());
    program.PressSkinButton(5);
    EXPECT_TRUE(program.Ends());
}

} // namespace
