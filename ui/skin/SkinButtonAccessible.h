#pragma once
// What a screen reader learns of a skin button. The button is a window of
// our own class, which the system's accessibility proxy calls a "client"
// with no action; this object calls it a push button named by its tooltip,
// unavailable while the skin shows it disabled, focused with the keyboard
// focus, whose default action ("Press") clicks it. Where it sits, its
// parent and hit testing are the system's standard answers.

#include <windows.h>

// The answer to WM_GETOBJECT for OBJID_CLIENT of skin button `button`; 0
// when no object can be made (the system's proxy answers then).
LRESULT AnswerSkinButtonObject(HWND button, WPARAM flags);
