#include "tests/support/RealInput.h"

#include "tests/support/WindowHelpers.h"

#include <cstdlib>
#include <optional>
#include <vector>

namespace testing_support {

namespace {

constexpr DWORD kPointerDeadline = 10000; // ms

bool InsideOwnRegion(HWND window, POINT point)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    if (!PtInRect(&rect, point))
        return false;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool shaped = GetWindowRgn(window, region) != ERROR;
    const bool inside = !shaped || PtInRegion(region, point.x - rect.left, point.y - rect.top);
    DeleteObject(region);
    return inside;
}

// Whether a click at `point` lands on `window`: its top-level window is the
// one there (so nothing else covers it and the point is inside that
// window's shape), and the point is inside the window's own shape. Sibling
// group boxes let clicks through to the controls they frame, which only
// the window's own thread can tell, so they are not asked.
bool Reaches(HWND window, POINT point)
{
    const HWND hit = WindowFromPoint(point);
    return hit && GetAncestor(hit, GA_ROOT) == GetAncestor(window, GA_ROOT) && InsideOwnRegion(window, point);
}

// Candidate points from the middle outwards along both axes, then a coarse
// grid: a shaped button may be hollow in the middle.
std::vector<POINT> CandidatePoints(const RECT& rect)
{
    const LONG cx = (rect.left + rect.right) / 2;
    const LONG cy = (rect.top + rect.bottom) / 2;
    std::vector<POINT> points = {{cx, cy}};
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    for (int step = 1; step <= 4; ++step)
        for (int sign : {-1, 1}) {
            points.push_back({cx + sign * step * width / 10, cy});
            points.push_back({cx, cy + sign * step * height / 10});
        }
    for (int gy = 1; gy < 8; ++gy)
        for (int gx = 1; gx < 8; ++gx)
            points.push_back({rect.left + gx * width / 8, rect.top + gy * height / 8});
    return points;
}

struct LastClick {
    MouseButton button = MouseButton::Left;
    POINT point = {-1000, -1000};
    DWORD time = 0;
    bool any = false;
};

LastClick lastClick;

// Waits out the double-click time after a click of the same button nearby.
void AvoidDoubleClick(POINT point, MouseButton button)
{
    if (!lastClick.any || lastClick.button != button)
        return;
    if (std::abs(point.x - lastClick.point.x) > GetSystemMetrics(SM_CXDOUBLECLK) ||
        std::abs(point.y - lastClick.point.y) > GetSystemMetrics(SM_CYDOUBLECLK))
        return;
    const DWORD doubleClickTime = GetDoubleClickTime();
    PumpUntil([&] { return GetTickCount() - lastClick.time > doubleClickTime; }, doubleClickTime + 100);
}

std::optional<POINT> ClickablePoint(HWND window)
{
    RECT rect = {};
    if (!IsWindowVisible(window) || !GetWindowRect(window, &rect) || IsRectEmpty(&rect))
        return std::nullopt;
    for (const POINT& point : CandidatePoints(rect))
        if (Reaches(window, point))
            return point;
    return std::nullopt;
}

} // namespace

bool MovePointerTo(POINT point, DWORD buttonFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = buttonFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    // Absolute input counts 0..65535 across the screen: aim at the pixel's middle.
    input.mi.dx = MulDiv(2 * point.x + 1, 65536, 2 * GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = MulDiv(2 * point.y + 1, 65536, 2 * GetSystemMetrics(SM_CYSCREEN));
    SendInput(1, &input, sizeof input);
    return PumpUntil(
        [&] {
            POINT now = {};
            GetCursorPos(&now);
            return now.x == point.x && now.y == point.y;
        },
        kPointerDeadline);
}

bool ClickAt(POINT point, MouseButton button)
{
    AvoidDoubleClick(point, button);
    const bool left = button == MouseButton::Left;
    if (!MovePointerTo(point, 0))
        return false;
    MovePointerTo(point, left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN);
    MovePointerTo(point, left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP);
    lastClick = {button, point, GetTickCount(), true};
    return true;
}

bool ClickWindow(HWND window, MouseButton button)
{
    const std::optional<POINT> point = ClickablePoint(window);
    return point && ClickAt(*point, button);
}

void PressKeys(std::initializer_list<WORD> virtualKeys)
{
    std::vector<INPUT> inputs;
    for (WORD key : virtualKeys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = virtualKeys.end(); key != virtualKeys.begin();) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool TabTo(HWND target)
{
    constexpr int kMostTabStops = 30;
    constexpr DWORD kFocusDeadline = 500; // ms for one key to move the focus
    GUITHREADINFO focus = {};
    focus.cbSize = sizeof focus;
    for (int press = 0; press < kMostTabStops; ++press) {
        if (PumpUntil(
                [&] {
                    return GetGUIThreadInfo(GetWindowThreadProcessId(target, nullptr), &focus) &&
                           focus.hwndFocus == target;
                },
                kFocusDeadline))
            return true;
        PressKeys({VK_TAB});
    }
    return false;
}

bool Press(HWND control, Input input, WORD key)
{
    if (input == Input::Mouse)
        return ClickWindow(control);
    if (!TabTo(control))
        return false;
    PressKeys({key});
    return true;
}

} // namespace testing_support
