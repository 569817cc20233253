#include "tests/install/Installation.h"

#include "tests/support/Program.h"
#include "tests/support/Registry.h"
#include "tests/support/WindowHelpers.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace install_test {

using testing_support::Program;

namespace {

constexpr DWORD kUninstallTimeout = 120000; // ms; a busy machine is slow to start Wine programs

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string KnownFolder(int id)
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

void CollectFiles(const std::string& folder, const std::string& prefix, std::vector<std::string>& files)
{
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectFiles(folder + "\\" + name, prefix + name + "\\", files);
        else
            files.push_back(prefix + name);
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

} // namespace

std::string SetupProgram()
{
    return Environment("TESSALY_SETUP");
}

std::string OlderSetupProgram()
{
    return Environment("TESSALY_OLDER_SETUP");
}

std::string ShippedFolder()
{
    return Environment("TESSALY_DIST");
}

std::string SilentSetupSwitches(Kind kind)
{
    return kind == Kind::CurrentUser ? "/S /CURRENTUSER" : "/S /ALLUSERS";
}

std::string InstallFolder(Kind kind)
{
    if (kind == Kind::CurrentUser)
        return KnownFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Orvane Tessaly";
    return KnownFolder(CSIDL_PROGRAM_FILES) + "\\Orvane Tessaly";
}

std::string StartMenuFolder(Kind kind)
{
    return KnownFolder(kind == Kind::CurrentUser ? CSIDL_PROGRAMS : CSIDL_COMMON_PROGRAMS) + "\\Orvane Tessaly";
}

std::string StartMenuShortcut(Kind kind)
{
    return StartMenuFolder(kind) + "\\Orvane Tessaly.lnk";
}

HKEY UninstallRoot(Kind kind)
{
    return kind == Kind::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

std::string InstalledVersion(Kind kind)
{
    return testing_support::ReadStringValue(UninstallRoot(kind), kUninstallKeyPath, "DisplayVersion").value_or("");
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> FilesBelow(const std::string& folder)
{
    std::vector<std::string> files;
    CollectFiles(folder, "", files);
    std::sort(files.begin(), files.end());
    return files;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string ProductVersion(const std::string& path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return "";
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return "";
    char* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\ProductVersion", reinterpret_cast<void**>(&text),
                        &length) ||
        length == 0)
        return "";
    return std::string(text, strnlen(text, length));
}

long RunToEnd(const std::string& path, const std::string& arguments, DWORD milliseconds)
{
    Program program(path, arguments);
    DWORD exitCode = 0;
    if (!program.Started() || !program.WaitForExit(milliseconds, &exitCode))
        return -1;
    return static_cast<long>(exitCode);
}

bool UninstallEntryExists(Kind kind)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(UninstallRoot(kind), kUninstallKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool WaitForUninstallEntryGone(Kind kind, DWORD milliseconds)
{
    return testing_support::PumpUntil([kind] { return !UninstallEntryExists(kind); }, milliseconds);
}

void RemoveEarlierInstallations()
{
    for (const Kind kind : {Kind::CurrentUser, Kind::AllUsers}) {
        const std::string uninstaller = InstallFolder(kind) + "\\Uninstall.exe";
        if (!FileExists(uninstaller))
            continue;
        RunToEnd(uninstaller, "/S", kUninstallTimeout);
        WaitForUninstallEntryGone(kind, kUninstallTimeout);
    }
}

} // namespace install_test
