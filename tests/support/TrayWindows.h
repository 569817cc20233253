#pragma once
// Wine's notification area as a test sees it. In the virtual desktop the
// explorer's taskbar ("Shell_TrayWnd") paints the icons itself, and each
// icon has a tooltip window owned by the taskbar whose one tool covers the
// icon and holds its tip. The tools are read from the explorer's memory
// (the tooltip messages take pointers in the process that owns them).
// Mouse messages posted to the taskbar over an icon reach the icon's owner
// as its callback message.

#include "tests/support/RealInput.h"

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

struct TrayIconView {
    RECT rect;        // in the taskbar's client area
    std::wstring tip; // as the tooltip holds it
};

// The taskbar, or null.
HWND TrayWindow();
// The icons the notification area shows, right to left.
std::vector<TrayIconView> TrayIcons();
// The icon with this tip, waiting for it; false when none came.
bool WaitForTrayIcon(const std::wstring& tip, TrayIconView* icon = nullptr, DWORD milliseconds = 15000);
// Waits until no icon has this tip.
bool WaitForNoTrayIcon(const std::wstring& tip, DWORD milliseconds = 15000);
// A mouse message as the icon gets it from the user.
void PostTrayMouse(const TrayIconView& icon, UINT message);
// A press and release of the real mouse's button on the icon with this
// tip, once it shows; false when none came.
bool ClickTrayIcon(const std::wstring& tip, MouseButton button = MouseButton::Left);

} // namespace testing_support
