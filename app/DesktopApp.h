#pragma once
// The application object: loads the language module, refuses a second
// running copy, and runs the main settings window as the program's one
// modal loop. The program ends when that window closes.

#include "framework/App.h"

#include <string>
#include <vector>

class CDesktopApp : public CWinApp {
  public:
    BOOL InitInstance() override;

    // Only the running copy's window is wanted: this start ends either way.
    static void ActivateRunningInstance();
};

// The language module for a system language: "chinese.dll" when its
// primary language is Chinese, "English.dll" for every other. It is loaded
// from the program's own folder.
const char* LanguageModuleName(LANGID language);

// Whether the command line asks for a hidden start: the first plain
// argument is exactly "min".
bool StartMinimisedRequested(const std::vector<std::string>& arguments);
