#pragma once
// The installer and what it leaves on the machine: where each kind of
// installation goes, the files it lays out, its entry in "Add or remove
// programs", and running its programs to their end.

#include "framework/Path.h"

#include <windows.h>

#include <string>
#include <vector>

namespace install_test {

// The setup program, one with a lower version number, and the shippable
// folder they were made from, as the build names them in the test's
// environment.
std::string SetupProgram();
std::string OlderSetupProgram();
std::string ShippedFolder();

// For the user who installs (the user's own folders and registry) or for
// all users (Program Files, the common Start menu, the machine's registry).
enum class Kind { CurrentUser, AllUsers };

// The setup's switches that install `kind` silently.
std::string SilentSetupSwitches(Kind kind);
// The user's local application data followed by "\Programs\Orvane Tessaly",
// or Program Files as a 32-bit program sees it followed by "\Orvane Tessaly".
std::string InstallFolder(Kind kind);
// The folder of the Start-menu entries, and the program's entry in it.
std::string StartMenuFolder(Kind kind);
std::string StartMenuShortcut(Kind kind);
// The root of the entry in "Add or remove programs".
HKEY UninstallRoot(Kind kind);
// The version that entry shows, or "" without one.
std::string InstalledVersion(Kind kind);

constexpr char kUninstallKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OrvaneTessaly";

bool FileExists(const std::string& path);
// Every file below `folder`, as paths relative to it, sorted.
std::vector<std::string> FilesBelow(const std::string& folder);
std::string FileBytes(const std::string& path);
// The "ProductVersion" text of a program file's version block.
std::string ProductVersion(const std::string& path);

// Runs a program with `arguments` and waits for it to end; returns its exit
// code, or -1 when it did not start or end in time.
long RunToEnd(const std::string& path, const std::string& arguments, DWORD milliseconds);

bool UninstallEntryExists(Kind kind);
// The uninstaller hands over to a copy of itself and ends at once; its
// last step removes the entry in "Add or remove programs". Waits for that.
bool WaitForUninstallEntryGone(Kind kind, DWORD milliseconds);

// Removes what an earlier, interrupted run may have left installed.
void RemoveEarlierInstallations();

} // namespace install_test
