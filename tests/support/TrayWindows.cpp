#include "tests/support/TrayWindows.h"

#include "tests/support/WindowHelpers.h"

#include <commctrl.h>

#include <algorithm>

namespace testing_support {

namespace {

constexpr size_t kTipCharacters = 256;

bool HasClass(HWND window, const wchar_t* name)
{
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    return lstrcmpW(className, name) == 0;
}

struct TooltipSearch {
    HWND tray;
    std::vector<HWND> tooltips;
};

BOOL CALLBACK CollectTooltips(HWND window, LPARAM lp)
{
    auto* search = reinterpret_cast<TooltipSearch*>(lp);
    if (HasClass(window, L"tooltips_class32") && GetWindow(window, GW_OWNER) == search->tray)
        search->tooltips.push_back(window);
    return TRUE;
}

// The tool record as a 64-bit explorer lays it out (a 64-bit prefix, where
// this test runs under WOW64): handles and pointers take 8 bytes.
struct ToolInfo64 {
    UINT cbSize;
    UINT uFlags;
    UINT64 hwnd;
    UINT64 uId;
    RECT rect;
    UINT64 hinst;
    UINT64 lpszText;
    UINT64 lParam;
    UINT64 lpReserved;
};

// Memory in the explorer for one tool record and its text.
class RemoteToolInfo {
  public:
    explicit RemoteToolInfo(HWND tray)
    {
        DWORD processId = 0;
        GetWindowThreadProcessId(tray, &processId);
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                                FALSE, processId);
        if (!m_process)
            return;
        BOOL thisUnderWow64 = FALSE;
        BOOL explorerUnderWow64 = FALSE;
        m_explorerIs64Bit = IsWow64Process(GetCurrentProcess(), &thisUnderWow64) && thisUnderWow64 &&
                            IsWow64Process(m_process, &explorerUnderWow64) && !explorerUnderWow64;
        m_recordSize = m_explorerIs64Bit ? sizeof(ToolInfo64) : sizeof(TTTOOLINFOW);
        m_memory = static_cast<BYTE*>(
            VirtualAllocEx(m_process, nullptr, m_recordSize + 2 * kTipCharacters, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteToolInfo()
    {
        if (m_memory)
            VirtualFreeEx(m_process, m_memory, 0, MEM_RELEASE);
        if (m_process)
            CloseHandle(m_process);
    }
    RemoteToolInfo(const RemoteToolInfo&) = delete;
    RemoteToolInfo& operator=(const RemoteToolInfo&) = delete;

    // The first tool of a tooltip window (its place and text); false when
    // it has none.
    bool Read(HWND tooltip, RECT& rect, std::wstring& text)
    {
        if (!m_memory || SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0) < 1)
            return false;
        TTTOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.lpszText = reinterpret_cast<LPWSTR>(m_memory + m_recordSize);
        ToolInfo64 tool64 = {};
        tool64.cbSize = sizeof tool64;
        tool64.lpszText = reinterpret_cast<UINT_PTR>(m_memory + m_recordSize);
        void* record = m_explorerIs64Bit ? static_cast<void*>(&tool64) : static_cast<void*>(&tool);
        const wchar_t empty[kTipCharacters] = {};
        if (!WriteProcessMemory(m_process, m_memory, record, m_recordSize, nullptr) ||
            !WriteProcessMemory(m_process, m_memory + m_recordSize, empty, sizeof empty, nullptr))
            return false;
        if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(m_memory)))
            return false;
        wchar_t buffer[kTipCharacters] = {};
        if (!ReadProcessMemory(m_process, m_memory, record, m_recordSize, nullptr) ||
            !ReadProcessMemory(m_process, m_memory + m_recordSize, buffer, sizeof buffer - 2, nullptr))
            return false;
        rect = m_explorerIs64Bit ? tool64.rect : tool.rect;
        text = buffer;
        return true;
    }

  private:
    HANDLE m_process = nullptr;
    bool m_explorerIs64Bit = false;
    std::size_t m_recordSize = 0;
    BYTE* m_memory = nullptr;
};

} // namespace

HWND TrayWindow()
{
    // It shows itself with its first icon.
    return FindWindowW(L"Shell_TrayWnd", nullptr);
}

std::vector<TrayIconView> TrayIcons()
{
    std::vector<TrayIconView> icons;
    TooltipSearch search = {TrayWindow(), {}};
    if (!search.tray)
        return icons;
    EnumWindows(CollectTooltips, reinterpret_cast<LPARAM>(&search));
    RemoteToolInfo remote(search.tray);
    for (HWND tooltip : search.tooltips) {
        TrayIconView icon = {};
        // A removed icon's tooltip may stay behind without a place.
        if (remote.Read(tooltip, icon.rect, icon.tip) && !IsRectEmpty(&icon.rect))
            icons.push_back(icon);
    }
    std::sort(icons.begin(), icons.end(),
              [](const TrayIconView& a, const TrayIconView& b) { return a.rect.left > b.rect.left; });
    return icons;
}

namespace {

// The whole tip, or its first line (the second names the current picture).
bool TipMatches(const std::wstring& shown, const std::wstring& tip)
{
    return shown == tip || shown.substr(0, shown.find(L'\n')) == tip;
}

} // namespace

bool WaitForTrayIcon(const std::wstring& tip, TrayIconView* icon, DWORD milliseconds)
{
    return PumpUntil(
        [&] {
            for (const TrayIconView& shown : TrayIcons()) {
                if (!TipMatches(shown.tip, tip))
                    continue;
                if (icon)
                    *icon = shown;
                return true;
            }
            return false;
        },
        milliseconds);
}

bool WaitForNoTrayIcon(const std::wstring& tip, DWORD milliseconds)
{
    return PumpUntil(
        [&] {
            const auto icons = TrayIcons();
            return std::none_of(icons.begin(), icons.end(),
                                [&](const TrayIconView& shown) { return TipMatches(shown.tip, tip); });
        },
        milliseconds);
}

void PostTrayMouse(const TrayIconView& icon, UINT message)
{
    const int x = (icon.rect.left + icon.rect.right) / 2;
    const int y = (icon.rect.top + icon.rect.bottom) / 2;
    const WPARAM keys = message == WM_LBUTTONDOWN ? MK_LBUTTON : message == WM_RBUTTONDOWN ? MK_RBUTTON : 0;
    PostMessageW(TrayWindow(), message, keys, MAKELPARAM(x, y));
}

bool ClickTrayIcon(const std::wstring& tip, MouseButton button)
{
    TrayIconView icon = {};
    if (!WaitForTrayIcon(tip, &icon))
        return false;
    POINT middle = {(icon.rect.left + icon.rect.right) / 2, (icon.rect.top + icon.rect.bottom) / 2};
    ClientToScreen(TrayWindow(), &middle);
    return ClickAt(middle, button);
}

} // namespace testing_support
