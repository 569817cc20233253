#pragma once
// Handing a command-line verb to the copy of the program that already runs.

#include "engine/AtHandVerb.h"

#include <windows.h>

// Sends `verb` to the running copy's main window `running`. The running copy
// only takes note and acts once this start has gone, so a busy copy never
// holds the command line up for longer than it takes to answer. False when
// the window did not take it.
bool HandVerbToRunningCopy(HWND running, AtHandVerb verb);

// Lets WM_COPYDATA from lower integrity levels reach `window` when this copy
// runs elevated, and only then. An elevated copy (started by hand as
// administrator) would otherwise never see a verb from the user's own
// shortcut: Windows drops WM_COPYDATA from a lower integrity level.
void AcceptVerbsFromLesserStarts(HWND window);
