#pragma once
// Starting Tessaly.exe (or any program) as a user would, finding its
// windows, and making sure it is gone when the test ends.

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// The folder of the running test program, where the build puts Tessaly.exe.
std::string TestProgramDirectory();

class Program {
  public:
    // Starts `path` with `arguments` (appended after the quoted path) in
    // `workingDirectory`, by default the program's own folder.
    Program(const std::string& path, const std::string& arguments, const std::string& workingDirectory = "");
    ~Program(); // ends the process if it still runs
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return m_process.hProcess != nullptr; }
    DWORD Id() const { return m_process.dwProcessId; }
    HANDLE Handle() const { return m_process.hProcess; }

    // The process's top-level window with this caption, once the program
    // waits for input (so a dialog's controls exist), waiting for it.
    HWND WaitForWindow(const wchar_t* caption, DWORD milliseconds = 15000) const;
    // A message box of the process, waiting for it; null when none showed.
    HWND WaitForMessageBox(DWORD milliseconds = 15000) const;
    // Waits for the process to end; returns false on time-out.
    bool WaitForExit(DWORD milliseconds = 15000, DWORD* exitCode = nullptr) const;
    void Terminate();

  private:
    PROCESS_INFORMATION m_process{};
};

// Runs `path` with `arguments` to its end and gives what it wrote to its
// error output; `exitCode` receives its exit code (99 when it did not end).
std::string RunForErrorOutput(const std::string& path, const std::string& arguments, DWORD* exitCode);

// Every top-level window of a process (hidden ones too).
std::vector<HWND> ProcessWindows(DWORD processId);
// Top-level windows of any process with exactly this caption.
int CountWindowsWithCaption(const wchar_t* caption);

} // namespace testing_support
