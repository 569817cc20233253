#include "tests/app/DrivingTessaly.h"

#include "engine/Wallpaper.h"
#include "tests/support/Registry.h"
#include "tests/support/WindowHelpers.h"

#include <atomic>
#include <thread>

namespace app_test {

using testing_support::PumpUntil;

namespace {

// Long enough for any step under a loaded machine; a step that takes it has hung.
constexpr DWORD kDeadline = 15000; // ms

void Send(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, msg, wp, lp, SMTO_NORMAL, kDeadline, &result);
}

} // namespace

std::string ProgramPath()
{
    return testing_support::TestProgramDirectory() + "\\Tessaly.exe";
}

void PresetDesktop(const std::string& wallpaper)
{
    using testing_support::WriteStringValue;
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "Wallpaper", wallpaper);
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "TileWallpaper", "0");
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "WallpaperStyle", "0");
}

std::vector<std::wstring> AnswerMessageBoxesDuring(const testing_support::Program& program,
                                                   const std::function<void()>& step)
{
    std::atomic<bool> done{false};
    std::thread user([&] {
        step();
        done = true;
    });
    std::vector<std::wstring> texts;
    PumpUntil(
        [&] {
            if (HWND box = program.WaitForMessageBox(0)) {
                texts.push_back(testing_support::MessageBoxText(box));
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                PumpUntil([&] { return !IsWindow(box); }, kDeadline);
            }
            return done.load();
        },
        2 * kDeadline);
    user.join();
    return texts;
}

HWND WaitUntilShown(const testing_support::Program& program)
{
    HWND window = program.WaitForWindow(kCaption, kDeadline);
    if (!window || !PumpUntil([&] { return IsWindowVisible(window) != FALSE; }, kDeadline))
        return nullptr;
    return window;
}

void Type(HWND edit, const wchar_t* text)
{
    Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void Click(HWND button)
{
    Send(button, BM_CLICK, 0, 0);
}

void Command(HWND window, WORD id)
{
    Send(window, WM_COMMAND, id, 0);
}

bool Close(const testing_support::Program& program, HWND window)
{
    PostMessageW(window, WM_CLOSE, 0, 0);
    return program.WaitForExit(kDeadline);
}

} // namespace app_test
