#include "engine/DesktopIcons.h"

#include <windows.h>

void SetDesktopIconsHidden(int hidden)
{
    HWND desktop = FindWindowA("ProgMan", nullptr);
    if (!desktop)
        return;
    ShowWindow(desktop, hidden ? SW_HIDE : SW_SHOW);
}
