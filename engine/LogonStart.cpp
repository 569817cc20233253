#include "engine/LogonStart.h"

#include "framework/Path.h"

std::string LogonCommandLine()
{
    // Quoted: a path with spaces would otherwise be tried piece by piece,
    // "C:\Program.exe" first.
    return "\"" + ModulePath() + "\" min";
}

bool RegisterLogonStart(CRegistryKey& machineKey, const std::string& commandLine, const RunKeyRoots& roots)
{
    if (machineKey.Open(roots.machine, kRunKeyPath) == ERROR_SUCCESS &&
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
