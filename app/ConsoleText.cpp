#include "app/ConsoleText.h"

#include "framework/WideText.h"

#include <windows.h>

namespace {

bool WriteTo(HANDLE output, const std::string& text)
{
    if (!output || output == INVALID_HANDLE_VALUE)
        return false;
    DWORD mode = 0;
    if (GetConsoleMode(output, &mode)) {
        // A console shows wide text whatever its code page.
        const std::wstring wide = Widen(text);
        DWORD written = 0;
        return WriteConsoleW(output, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != FALSE;
    }
    DWORD written = 0;
    return WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != FALSE;
}

} // namespace

void WriteToStartingConsole(const std::string& text)
{
    // Output redirected by the start ("> file", a pipe) came with the process.
    if (WriteTo(GetStdHandle(STD_ERROR_HANDLE), text))
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    HANDLE console = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    WriteTo(console, text);
    if (console != INVALID_HANDLE_VALUE)
        CloseHandle(console);
    FreeConsole();
}
