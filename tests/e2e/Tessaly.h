#pragma once
// Tessaly.exe as a person meets it: started from its folder, its window
// found on the desktop, its controls read and operated from outside, and
// gone when the test ends, however the test ends.

#include "tests/support/Program.h"

#include <windows.h>

#include <memory>
#include <string>

namespace e2e {

constexpr DWORD kDeadline = 15000; // ms: a step that takes longer has hung

std::string ProgramPath();

class Tessaly {
  public:
    // Starts the program with `arguments` and waits for its main window
    // to exist.
    explicit Tessaly(const std::string& arguments = "");
    ~Tessaly(); // ends the process when it still runs
    Tessaly(const Tessaly&) = delete;
    Tessaly& operator=(const Tessaly&) = delete;

    const testing_support::Program& Process() const { return *m_program; }
    // The main window; null when none came.
    HWND Window() const { return m_window; }
    HWND Control(int id) const { return GetDlgItem(m_window, id); }
    bool IsChecked(int id) const;
    std::wstring Text(int id) const;

    // Waits until the main window is shown (or hidden); false at the deadline.
    bool BecomesVisible() const;
    bool BecomesHidden() const;
    // Types `text` into an edit the way a paste does: one change of text,
    // which the edit reports to the window.
    void Type(int id, const wchar_t* text) const;
    // Waits for the program to end; false at the deadline.
    bool Ends() const;

  private:
    std::unique_ptr<testing_support::Program> m_program;
    HWND m_window = nullptr;
};

} // namespace e2e
