#include "tests/support/Program.h"

#include "tests/support/WindowHelpers.h"

namespace testing_support {

namespace {

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM lp)
{
    auto* search = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->first)
        search->second.push_back(window);
    return TRUE;
}

struct CaptionCount {
    const wchar_t* caption;
    int count;
};

BOOL CALLBACK CountCaption(HWND window, LPARAM lp)
{
    auto* search = reinterpret_cast<CaptionCount*>(lp);
    if (WindowTextW(window) == search->caption)
        ++search->count;
    return TRUE;
}

// A message box, also one that is closing: it has the caption of the
// program's main window.
bool IsMessageBox(HWND window)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return lstrcmpW(className, L"#32770") == 0 && GetDlgItem(window, 0xFFFF);
}

// Polls `find` until it gives a window, the process has ended or the time is up.
template <typename Find> HWND WaitFor(HANDLE process, Find find, DWORD milliseconds)
{
    HWND found = nullptr;
    PumpUntil([&] { return (found = find()) != nullptr || WaitForSingleObject(process, 0) != WAIT_TIMEOUT; },
              milliseconds);
    return found;
}

} // namespace

std::string TestProgramDirectory()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory = path;
    return directory.substr(0, directory.rfind('\\'));
}

Program::Program(const std::string& path, const std::string& arguments, const std::string& workingDirectory)
{
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    const std::string directory = workingDirectory.empty() ? path.substr(0, path.rfind('\\')) : workingDirectory;
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                        &startup, &m_process))
        m_process = PROCESS_INFORMATION{};
}

std::string RunForErrorOutput(const std::string& path, const std::string& arguments, DWORD* exitCode)
{
    *exitCode = 99;
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE reader = nullptr;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    if (!CreatePipe(&reader, &startup.hStdError, &inherited, 0))
        return "";
    SetHandleInformation(reader, HANDLE_FLAG_INHERIT, 0);
    std::string commandLine = "\"" + path + "\" " + arguments;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process);
    CloseHandle(startup.hStdError); // the pipe ends when the program's copy closes
    // The text is short enough for the pipe to hold it all: the program
    // ends first (or is ended, so a hung one cannot hold the test up), and
    // the pipe is read after.
    if (started) {
        if (WaitForSingleObject(process.hProcess, 15000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, exitCode);
        else
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    std::string output;
    char buffer[512];
    for (DWORD read = 0; started && ReadFile(reader, buffer, sizeof buffer, &read, nullptr) && read > 0;)
        output.append(buffer, read);
    CloseHandle(reader);
    return output;
}

Program::~Program()
{
    Terminate();
}

void Program::Terminate()
{
    if (!m_process.hProcess)
        return;
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_process.hProcess, 5000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
    m_process = PROCESS_INFORMATION{};
}

HWND Program::WaitForWindow(const wchar_t* caption, DWORD milliseconds) const
{
    // A dialog has its caption before its controls: wait until the program
    // has initialised and waits for input.
    if (m_process.hProcess)
        WaitForInputIdle(m_process.hProcess, milliseconds);
    return WaitFor(
        m_process.hProcess,
        [&]() -> HWND {
            for (HWND window : ProcessWindows(Id()))
                if (WindowTextW(window) == caption && !IsMessageBox(window))
                    return window;
            return nullptr;
        },
        milliseconds);
}

HWND Program::WaitForMessageBox(DWORD milliseconds) const
{
    return WaitFor(
        m_process.hProcess,
        [&]() -> HWND {
            for (HWND window : ProcessWindows(Id()))
                if (IsMessageBox(window) && IsWindowVisible(window))
                    return window;
            return nullptr;
        },
        milliseconds);
}

bool Program::WaitForExit(DWORD milliseconds, DWORD* exitCode) const
{
    if (!m_process.hProcess || WaitForSingleObject(m_process.hProcess, milliseconds) != WAIT_OBJECT_0)
        return false;
    if (exitCode)
        GetExitCodeProcess(m_process.hProcess, exitCode);
    return true;
}

std::vector<HWND> ProcessWindows(DWORD processId)
{
    std::pair<DWORD, std::vector<HWND>> search{processId, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

int CountWindowsWithCaption(const wchar_t* caption)
{
    CaptionCount search{caption, 0};
    EnumWindows(CountCaption, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

} // namespace testing_support
