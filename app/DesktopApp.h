#pragma once
// The application object: loads the language module, refuses a second
// running copy, and runs the main settings window as the program's one
// modal loop. The program ends when that window closes.

#include "framework/App.h"
#include "resources/resource.h"
#include "ui/tray/TrayIcon.h"

#include <string>
#include <vector>

class CDesktopApp : public CWinApp {
  public:
    BOOL InitInstance() override;
    int ExitInstance() override { return m_exitCode; }

    // Only the running copy's window is wanted: this start ends either way.
    static void ActivateRunningInstance();

    // The exit code of a start whose verb the running copy did not take
    // (hung, or out of reach), and of one with an argument it does not know.
    static constexpr int kExitNotHandedOver = 1;
    static constexpr int kExitBadArguments = 2;

    // The notification icon; destroying the application object at the
    // program's end removes it.
    CTrayIcon m_trayIcon{IDI_MAIN};

  private:
    int m_exitCode = 0;
};

// The language module for a system language: "chinese.dll" when its
// primary language is Chinese, "English.dll" for every other. It is loaded
// from the program's own folder.
const char* LanguageModuleName(LANGID language);
