#pragma once
// The shell's notification-icon record in its Windows 2000 form (the size
// its cbSize gives), whose tip holds 128 characters where the first form's
// held 64 bytes: a Chinese or Greek file name in the tip is no longer cut
// after a few characters.

#include <windows.h>

#include <shellapi.h>

using NotifyIconData = NOTIFYICONDATAW;
constexpr DWORD kNotifyIconDataSize = NOTIFYICONDATAW_V2_SIZE;

// Shell_NotifyIcon, or a stand-in that tests put there to make the shell
// fail (as it does at log-on before the notification area exists).
using NotifyIconFunction = BOOL (*)(DWORD action, NotifyIconData* data);
BOOL CallShellNotifyIcon(DWORD action, NotifyIconData* data);
void SetNotifyIconFunction(NotifyIconFunction function);
