#include "ui/tray/NotifyIconData.h"

namespace {

BOOL ShellNotifyIcon(DWORD action, NotifyIconData* data)
{
    return Shell_NotifyIconW(action, data);
}

NotifyIconFunction notifyIcon = ShellNotifyIcon;

} // namespace

BOOL CallShellNotifyIcon(DWORD action, NotifyIconData* data)
{
    return notifyIcon(action, data);
}

void SetNotifyIconFunction(NotifyIconFunction function)
{
    notifyIcon = function ? function : ShellNotifyIcon;
}
