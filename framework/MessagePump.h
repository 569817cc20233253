#pragma once
// One step of every message loop of ours (the application's and each modal
// dialog's), so all of them pre-translate the same way: the bound windows
// from the target up to `top` see a message first, then the dialog manager
// of `dialog` (when given), then translation and dispatch.

#include <windows.h>

enum class PumpResult { Dispatched, Quit };

// Waits for one message and handles it. On WM_QUIT returns Quit with the
// exit code in *quitCode. A message that cannot be fetched is passed over:
// the loop goes on.
PumpResult PumpMessage(HWND top, HWND dialog, int* quitCode);
