#include "tests/support/WindowHelpers.h"

#include <set>
#include <vector>

namespace testing_support {

namespace {

// The message box id of its text, fixed by the system's template.
constexpr int kMessageBoxTextId = 0xFFFF;

std::vector<std::wstring>* answeredTexts = nullptr;
// A box stays visible until it has processed its posted OK.
std::set<HWND>* answeredBoxes = nullptr;

BOOL CALLBACK AnswerThreadBox(HWND window, LPARAM)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    // Dialogs are #32770 too; only a message box has the text control.
    if (lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(window) || !GetDlgItem(window, kMessageBoxTextId))
        return TRUE;
    if (!answeredBoxes->insert(window).second)
        return TRUE;
    answeredTexts->push_back(MessageBoxText(window));
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerThreadBox, 0);
}

struct ProcessWindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM lp)
{
    auto* search = reinterpret_cast<ProcessWindowSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId)
        return TRUE;
    if (search->className) {
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        if (lstrcmpW(className, search->className) != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

} // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
    return true;
}

LRESULT SendWithin(HWND window, UINT msg, WPARAM wp, LPARAM lp, DWORD milliseconds)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, msg, wp, lp, SMTO_NORMAL, milliseconds, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

std::wstring AnswerMessageBoxes(const std::function<void()>& action)
{
    std::vector<std::wstring> texts;
    std::set<HWND> boxes;
    answeredTexts = &texts;
    answeredBoxes = &boxes;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerTimer);
    action();
    KillTimer(nullptr, timer);
    answeredTexts = nullptr;
    answeredBoxes = nullptr;
    std::wstring joined;
    for (const auto& text : texts)
        joined += text + L"\n";
    return joined;
}

std::wstring MessageBoxText(HWND box)
{
    return WindowTextW(GetDlgItem(box, kMessageBoxTextId));
}

HWND FindProcessWindow(DWORD processId, const wchar_t* className)
{
    ProcessWindowSearch search{processId, className, nullptr};
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring WindowTextW(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(length + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(copied > 0 ? copied : 0);
    return text;
}

namespace {

struct OwnedDialogSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwnedDialogWindow(HWND window, LPARAM lp)
{
    auto* search = reinterpret_cast<OwnedDialogSearch*>(lp);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(window) || GetWindow(window, GW_OWNER) != search->owner)
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

HWND FindOwnedDialog(HWND owner)
{
    OwnedDialogSearch search{owner, nullptr};
    EnumWindows(FindOwnedDialogWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace testing_support
