#include "tests/e2e/NotificationIcon.h"

#include "tests/e2e/Tessaly.h"
#include "tests/support/Program.h"
#include "tests/support/RealInput.h"
#include "tests/support/TrayWindows.h"
#include "tests/support/WindowHelpers.h"

namespace e2e {

using namespace testing_support;

namespace {

bool ClickIconWith(const std::wstring& tip, MouseButton button)
{
    TrayIconView icon = {};
    if (!WaitForTrayIcon(tip, &icon, kDeadline))
        return false;
    POINT middle = {(icon.rect.left + icon.rect.right) / 2, (icon.rect.top + icon.rect.bottom) / 2};
    ClientToScreen(TrayWindow(), &middle);
    return ClickAt(middle, button);
}

HWND WaitForMenuOf(DWORD processId)
{
    HWND menu = nullptr;
    PumpUntil(
        [&] {
            for (HWND window : ProcessWindows(processId)) {
                wchar_t className[16] = {};
                GetClassNameW(window, className, 16);
                if (lstrcmpW(className, L"#32768") == 0 && IsWindowVisible(window))
                    menu = window;
            }
            return menu != nullptr;
        },
        kDeadline);
    return menu;
}

} // namespace

bool IconShowsTip(const std::wstring& tip)
{
    return WaitForTrayIcon(tip, nullptr, kDeadline);
}

bool NoIconShowsTip(const std::wstring& tip)
{
    return WaitForNoTrayIcon(tip, kDeadline);
}

bool ClickIcon(const std::wstring& tip)
{
    return ClickIconWith(tip, MouseButton::Left);
}

bool RightClickIcon(const std::wstring& tip)
{
    return ClickIconWith(tip, MouseButton::Right);
}

namespace {

bool ClickItemOfMenu(DWORD processId, bool last, const std::function<void()>& whileOpen)
{
    HWND menu = WaitForMenuOf(processId);
    RECT rect = {};
    if (!menu || !GetWindowRect(menu, &rect))
        return false;
    if (whileOpen)
        whileOpen();
    // Each item is at least a menu bar high; the frame is a few pixels.
    const int fromEdge = 3 + GetSystemMetrics(SM_CYMENU) / 2;
    return ClickAt({(rect.left + rect.right) / 2, last ? rect.bottom - fromEdge : rect.top + fromEdge});
}

} // namespace

bool ClickLastItemOfMenu(DWORD processId, const std::function<void()>& whileOpen)
{
    return ClickItemOfMenu(processId, true, whileOpen);
}

bool ClickFirstItemOfMenu(DWORD processId, const std::function<void()>& whileOpen)
{
    return ClickItemOfMenu(processId, false, whileOpen);
}

} // namespace e2e
