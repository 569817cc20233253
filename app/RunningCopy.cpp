#include "app/RunningCopy.h"

#include "app/Elevation.h"

#include <cstring>

namespace {

constexpr UINT kAnswerDeadline = 5000; // ms: a copy that does not answer by then is hung

} // namespace

void AcceptVerbsFromLesserStarts(HWND window)
{
    // Not elevated, the copy is at the user's own level: opening the filter
    // would only let lower processes (a sandboxed browser) send it data.
    if (!RunsElevated())
        return;
    // Windows 7 and later; on older systems the filter does not apply to
    // one window and the message stays as the system has it.
    using ChangeFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    const auto change = reinterpret_cast<ChangeFilter>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "ChangeWindowMessageFilterEx")));
    constexpr DWORD kAllow = 1; // MSGFLT_ALLOW
    if (change)
        change(window, WM_COPYDATA, kAllow, nullptr);
}

bool HandVerbToRunningCopy(HWND running, AtHandVerb verb)
{
    if (!running)
        return false;
    // "/show" brings the window forward from the running copy, which may
    // do so only with leave from the foreground program: this start.
    DWORD runningProcess = 0;
    GetWindowThreadProcessId(running, &runningProcess);
    AllowSetForegroundWindow(runningProcess);
    const char* name = VerbName(verb);
    COPYDATASTRUCT data = {kAtHandVerbCopyData, static_cast<DWORD>(std::strlen(name)), const_cast<char*>(name)};
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                               kAnswerDeadline, &answer) &&
           answer != 0;
}
