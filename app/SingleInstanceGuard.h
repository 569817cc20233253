#pragma once
// One running copy per session: the first copy creates a small named file
// mapping and keeps it open until it ends; a later start finds it existing.
//
// The mapping also tells a later start which window to raise (or to send
// its command line to): the first copy writes its main window's handle and
// its process id into it once that window exists. A caption proves nothing:
// Explorer titles a window showing the program's folder exactly as the
// program's own window is titled. The setup finds the copy the same way.
//
// A copy that runs elevated gives the mapping a descriptor that lets the
// same user's ordinary processes open it: later starts, verbs and the setup.

#include <windows.h>

enum class InstanceClaim { First, AlreadyRunning, Failed };

// Creates (or finds) the mapping "OrvaneTessaly". The first copy writes its
// guard text into it; the handle stays open for the life of the process.
InstanceClaim ClaimSingleInstance();

// Called by the first copy once its main window exists.
void PublishRunningCopyWindow(HWND window);

// The running copy's main window, checked to belong to the process that
// published it; null when no copy runs or none has published a window. A
// copy still starting is waited for, a few seconds at most.
HWND FindRunningCopyWindow();
