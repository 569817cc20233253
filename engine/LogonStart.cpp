#include "engine/LogonStart.h"

#include "framework/Path.h"

#include <shlobj.h>

std::string LogonCommandLine()
{
    // Quoted: a path with spaces would otherwise be tried piece by piece,
    // "C:\Program.exe" first.
    return "\"" + ModulePath() + "\" min";
}

namespace {

constexpr char kUninstallKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OrvaneTessaly";

bool SamePath(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

// Whether `path` is `folder` or lies below it.
bool IsInFolder(const std::string& path, const std::string& folder)
{
    if (folder.empty())
        return false;
    const std::string prefix = WithTrailingBackslash(folder);
    return SamePath(WithTrailingBackslash(path).substr(0, prefix.size()), prefix);
}

std::string ProfileFolder()
{
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return std::string();
    return folder;
}

// The folder the setup installed for this user alone, or "". Read without
// creating the key.
std::string UsersOwnInstallation(HKEY userRoot)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(userRoot, kUninstallKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::string();
    char folder[MAX_PATH] = {};
    DWORD size = sizeof folder - 1;
    DWORD type = 0;
    const LONG status =
        RegQueryValueExA(key, "InstallLocation", nullptr, &type, reinterpret_cast<BYTE*>(folder), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ ? folder : std::string();
}

} // namespace

bool IsUsersOwnCopy(const std::string& programFolder, HKEY userRoot)
{
    const std::string installed = UsersOwnInstallation(userRoot);
    return (!installed.empty() && SamePath(installed, programFolder)) || IsInFolder(programFolder, ProfileFolder());
}

bool RegisterLogonStart(CRegistryKey& machineKey, const std::string& commandLine, const RunKeyRoots& roots)
{
    if (!IsUsersOwnCopy(ProgramDirectory(), roots.user) &&
        machineKey.Open(roots.machine, kRunKeyPath) == ERROR_SUCCESS &&
        machineKey.WriteString(kRunValueName, commandLine) == ERROR_SUCCESS)
        return true;

    // Without the right to write the machine's key the option would look on
    // while nothing starts the program: the user's own key does the job.
    CRegistryKey userKey;
    return userKey.Open(roots.user, kUserRunKeyPath) == ERROR_SUCCESS &&
           userKey.WriteString(kRunValueName, commandLine) == ERROR_SUCCESS;
}

void UnregisterLogonStart(CRegistryKey& machineKey, const RunKeyRoots& roots)
{
    machineKey.Open(roots.machine, kRunKeyPath);
    machineKey.DeleteValue(kRunValueName);

    CRegistryKey userKey;
    if (userKey.Open(roots.user, kUserRunKeyPath) == ERROR_SUCCESS)
        userKey.DeleteValue(kRunValueName);
}
