#pragma once
// Whether someone works full-screen, as the shell tells programs that want
// to stay out of the way: a full-screen program, a full-screen Direct3D
// program, or presentation mode. A wallpaper change would flash behind a
// game or slide show, so the schedule waits while one runs.

#include <windows.h>

// The shell's SHQueryUserNotificationState, or a stand-in.
using NotificationStateQuery = HRESULT(WINAPI*)(int* state);

bool SomeoneWorksFullScreen();
// How long a waiting change waits before it looks again, in milliseconds.
UINT FullScreenCheckPeriod();

// Tests answer for the shell, and look again after `checkPeriod`; null goes
// back to the shell's own answer once a minute.
void SetNotificationStateQuery(NotificationStateQuery query, UINT checkPeriod = 0);
