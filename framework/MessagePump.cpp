#include "framework/MessagePump.h"

#include "framework/ExceptionBoundary.h"
#include "framework/Window.h"

PumpResult PumpMessage(HWND top, HWND dialog, int* quitCode)
{
    MSG msg;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) {
        // A message the system could not hand over (Wine fails a
        // WM_COPYDATA of 4 MiB or more from any other program this way):
        // that message is lost, not the program. Noted once.
        static bool noted = false;
        if (!noted)
            OutputDebugStringA("GetMessage failed; the message loop goes on\n");
        noted = true;
        return PumpResult::Dispatched;
    }
    if (got == 0) {
        *quitCode = static_cast<int>(msg.wParam);
        return PumpResult::Quit;
    }
    // The walk calls our handlers as a window procedure does, inside the
    // modal loop of a dialog that may itself run inside a window procedure.
    if (GuardWindowProc([&] { return LRESULT(CWnd::WalkPreTranslateTree(top, &msg)); }))
        return PumpResult::Dispatched;
    if (dialog && IsWindow(dialog) && IsDialogMessageA(dialog, &msg))
        return PumpResult::Dispatched;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return PumpResult::Dispatched;
}
