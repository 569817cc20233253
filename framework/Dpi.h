#pragma once
// The dots per inch a window is drawn at. Per-monitor aware, a window takes
// the DPI of the monitor it is on (and hears WM_DPICHANGED when that
// changes); systems before Windows 10 know one DPI for the whole system.

#include <windows.h>

constexpr UINT kDefaultDpi = 96; // 100 %
// WM_DPICHANGED, from Windows 8.1 on (our headers predate it): the window
// moved to a monitor of another DPI.
constexpr UINT kDpiChangedMessage = 0x02E0;

// The window's DPI where the system knows one per window, else the system's.
UINT WindowDpi(HWND window);

// A length of 96-DPI pixels at `dpi`, rounded as the system rounds.
inline int ScaleForDpi(int value, UINT dpi)
{
    return MulDiv(value, static_cast<int>(dpi), static_cast<int>(kDefaultDpi));
}

// GetSystemMetrics at `dpi`, where the system can answer for another DPI
// than its own; else the system's own value.
int SystemMetricForDpi(int index, UINT dpi);

// Per-monitor aware dialogs are scaled by the system when they move to a
// monitor of another DPI (Windows 10 1703 and later); a dialog that lays
// itself out again on WM_DPICHANGED turns that off here.
void TakeOverDialogDpiChanges(HWND dialog);
