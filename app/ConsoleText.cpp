#include "app/ConsoleText.h"

#include <windows.h>

#include <vector>

namespace {

bool WriteTo(HANDLE output, const std::string& text)
{
    if (!output || output == INVALID_HANDLE_VALUE)
        return false;
    DWORD mode = 0;
    if (GetConsoleMode(output, &mode)) {
        // A console shows wide text whatever its code page.
        const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::vector<wchar_t> wide(length > 0 ? length : 1);
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
        DWORD written = 0;
        return WriteConsoleW(output, wide.data(), static_cast<DWORD>(length), &written, nullptr) != FALSE;
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
