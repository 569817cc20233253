#pragma once
// The program's icon in the notification area, clicked with the real
// mouse, and its menu.

#include <windows.h>

#include <functional>
#include <string>

namespace e2e {

// Waits until the notification area shows an icon with this tip; false
// at the deadline.
bool IconShowsTip(const std::wstring& tip);
// Waits until no icon has this tip.
bool NoIconShowsTip(const std::wstring& tip);

// A press and release of the left (or right) button on the icon whose tip
// is `tip`; false when there is no such icon.
bool ClickIcon(const std::wstring& tip);
bool RightClickIcon(const std::wstring& tip);

// The menu that `processId` shows after a right click (on the icon or the
// window), and a click on its last item (the exit command) or its first;
// `whileOpen` runs once the menu shows. False when no menu came.
bool ClickLastItemOfMenu(DWORD processId, const std::function<void()>& whileOpen = {});
bool ClickFirstItemOfMenu(DWORD processId, const std::function<void()>& whileOpen = {});

} // namespace e2e
