#pragma once
// Starting the program at log-on: a Run-key entry whose command line ends
// in " min", so the program starts hidden in the notification area.
//
// The entry belongs under HKEY_LOCAL_MACHINE. A normal user on current
// Windows may not write there; then the entry goes to the user's own Run
// key instead, which starts the program for that user alone. A copy that
// is the user's own (see IsUsersOwnCopy) always uses the user's key. Turning the
// option off removes the entry from both keys, wherever an earlier run put
// it and whatever it holds (earlier versions wrote the path unquoted).

#include "settings/RegistryKey.h"

#include <string>

constexpr char kRunKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kUserRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValueName[] = "OrvaneTessaly";

// The program's own full path in quotes, followed by " min".
std::string LogonCommandLine();

// Where the log-on entries live; the program always uses the defaults,
// tests give a machine root that refuses writes.
struct RunKeyRoots {
    HKEY machine = HKEY_LOCAL_MACHINE;
    HKEY user = HKEY_CURRENT_USER;
};

// Whether the copy in `programFolder` belongs to this user alone: the
// folder that the user's own entry in "Add or remove programs" (under
// `userRoot`) names, which is where the setup installed for this user,
// whatever folder was chosen; or a folder inside the user's profile (the
// setup's own %LOCALAPPDATA%\Programs, a portable copy in Downloads). The
// machine's Run key would start such a copy for every user who logs on:
// a file other users cannot reach, or one this user may change and they
// would run. Program Files and other shared folders are not the user's own.
bool IsUsersOwnCopy(const std::string& programFolder, HKEY userRoot = HKEY_CURRENT_USER);

// Writes `commandLine` under the machine's Run key through `machineKey`
// (which stays open), or under the user's Run key when that fails or this
// running copy is the user's own. Returns
// false only when neither could be written.
bool RegisterLogonStart(CRegistryKey& machineKey, const std::string& commandLine, const RunKeyRoots& roots = {});

// Deletes the entry from the machine's Run key (through `machineKey`) and
// from the user's.
void UnregisterLogonStart(CRegistryKey& machineKey, const RunKeyRoots& roots = {});
