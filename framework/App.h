#pragma once
// The application object: instance, resource module, main window and the
// start-up entry. There is one per process, reached through AfxGetApp().

#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
  public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Returns whether to run the application's own message loop. A dialog
    // program returns false and lives inside its modal main window.
    virtual BOOL InitInstance() { return FALSE; }
    virtual int Run();
    virtual int ExitInstance() { return 0; }

    // Called by WinMain: stores the instance and runs the program.
    int Main(HINSTANCE instance);

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();

// Every dialog, menu, string, icon, cursor and bitmap is loaded from this
// module: the language module once the application has loaded one.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);

// A message box owned by the active window, titled with the program name.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);
int AfxMessageBox(UINT stringId, UINT type = MB_OK);
