#pragma once
// The select-picture dialog of the running program, operated as a person
// does: the folder button and the shell's folder browser, a click on a
// file of the list, OK.

#include "tests/support/RealInput.h"

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The dialog once it shows over `owner` (the main window); null when it
// did not come.
HWND WaitForPictureDialog(HWND owner);

// Presses the folder button, answers the folder browser with `folder` and
// its OK button, and waits until the list shows `expectedCount` files.
// The browser's tree is set by its own message either way. Returns what
// went wrong, or nothing.
std::string ChooseFolder(HWND dialog, const std::string& folder, int expectedCount,
                         testing_support::Input input = testing_support::Input::Mouse);

// The file names the list shows, from the top, in UTF-8.
std::vector<std::string> ListedFiles(HWND dialog);

// Clicks the list's item `index` (from the top).
bool ClickListedFile(HWND dialog, int index);

} // namespace e2e
