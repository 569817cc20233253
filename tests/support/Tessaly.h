#pragma once
// Tessaly.exe as a person meets it: started from its folder, its main
// window found, its controls read and operated from outside the way a
// user's tools do, its message boxes answered, and gone when the test
// ends, however the test ends. Every program-level test drives it
// through this class; TessalyState.h presets and reads what it leaves.

#include "tests/support/Program.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// Long enough for any step on a loaded machine; a step that takes it has hung.
constexpr DWORD kProgramDeadline = 15000; // ms
constexpr wchar_t kProgramCaption[] = L"Orvane Tessaly";
// The skin's buttons are the main window's children 10000 + index.
constexpr int kFirstSkinButtonId = 10000;

// Tessaly.exe beside the test program.
std::string ProgramPath();
bool SystemIsChinese();
// A string of the language module the program takes on this system.
std::wstring ProgramText(unsigned id);

// The program folder with the program, its language modules and both skin
// folders with their 100 % pictures (no scale's subfolder), copied to `to`:
// a program folder with skins as they were made before there were scales.
void CopyProgramFolder(const std::string& to);

class Tessaly {
  public:
    // Starts the program with `arguments` from `folder` (the test's own
    // when empty) in `workingDirectory` (the program's folder when empty),
    // and waits until its main window has shown ("min" and a verb hide it at once)
    // or the program has ended. The message boxes it shows meanwhile are
    // answered with OK; StartMessages() gives their texts.
    explicit Tessaly(const std::string& arguments = "", const std::string& folder = "",
                     const std::string& workingDirectory = "");
    // Closes the window as Alt+F4 does when the program still runs, so the
    // next start finds no copy running, and ends it when that fails.
    ~Tessaly();
    Tessaly(const Tessaly&) = delete;
    Tessaly& operator=(const Tessaly&) = delete;

    const Program& Process() const { return *m_program; }
    // The main window; null when none came.
    HWND Window() const { return m_window; }
    HWND Control(int id) const { return GetDlgItem(m_window, id); }
    const std::vector<std::wstring>& StartMessages() const { return m_startMessages; }
    // The caption of the last message box answered.
    const std::wstring& LastMessageCaption() const { return m_lastCaption; }

    // Read from outside: another process's edit must be asked for its text.
    bool IsChecked(int id) const;
    bool IsEnabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    std::wstring Text(int id) const;

    // Each step returns once the program has handled it.
    // A click as the button gets it from the mouse.
    bool Click(int id) const;
    // Types `text` into an edit as a paste does: one change of text, which
    // the edit reports to the window.
    void Type(int id, const wchar_t* text) const;
    // A command as a menu or the keyboard sends it (IDOK is Enter).
    void Command(WORD id) const;
    // A click without waiting, for one that opens a modal dialog.
    void PostClick(int id) const;
    // A press and release of skin button `index`, posted as the mouse gives them.
    void PressSkinButton(int index) const;

    // Runs `step` on a thread of its own and answers, with OK, each message
    // box of the program that shows before it returns; gives their texts in
    // order. So a test knows exactly which messages a step caused, without
    // waiting a guessed while for one that may still come.
    // expected: boxes to wait for after step is done, for a program that
    // shows its box only after the state that step waits for.
    std::vector<std::wstring> MessagesDuring(const std::function<void()>& step, size_t expected = 0);

    // A visible top-level window of the program with this class (and
    // caption, when given), once it shows; null when none did.
    HWND WaitForWindowOfClass(const wchar_t* className, const wchar_t* caption = nullptr) const;
    // A top-level window with this caption, once the program waits for input.
    HWND WaitForWindow(const wchar_t* caption) const { return m_program->WaitForWindow(caption, kProgramDeadline); }
    // Wait until the main window is shown (or hidden); false at the deadline.
    bool BecomesVisible() const;
    bool BecomesHidden() const;

    // Closes the window as Alt+F4 does and waits for the program to end
    // (it saves its settings on the way out); false when it did not end.
    bool Close();
    // Ends the program as Windows does at log-off: the window is told that
    // the session ends, and then the process is ended.
    void EndSession();
    // Waits for the program to end by itself; false at the deadline.
    bool Ends(DWORD* exitCode = nullptr) const { return m_program->WaitForExit(kProgramDeadline, exitCode); }

  private:
    void WaitForMainWindow(bool hidden);

    std::unique_ptr<Program> m_program;
    HWND m_window = nullptr;
    std::vector<std::wstring> m_startMessages;
    std::wstring m_lastCaption;
};

} // namespace testing_support
