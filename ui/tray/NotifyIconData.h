#pragma once
// The shell's notification-icon record in its first, 88-byte form, which
// every shell from the first one on reads.

#include <windows.h>

#include <shellapi.h>

struct NotifyIconData {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[64];
};
static_assert(sizeof(NotifyIconData) == 88, "the first form of the record is 88 bytes");

// Shell_NotifyIcon, or a stand-in that tests put there to make the shell
// fail (as it does at log-on before the notification area exists).
using NotifyIconFunction = BOOL (*)(DWORD action, NotifyIconData* data);
BOOL CallShellNotifyIcon(DWORD action, NotifyIconData* data);
void SetNotifyIconFunction(NotifyIconFunction function);
