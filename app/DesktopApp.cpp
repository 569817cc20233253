#include "app/DesktopApp.h"

#include "app/CommandLineRequest.h"
#include "app/ConsoleText.h"
#include "app/RunningCopy.h"
#include "app/SingleInstanceGuard.h"
#include "framework/ComApartment.h"
#include "framework/CommandLine.h"
#include "framework/Path.h"
#include "framework/ResourceString.h"
#include "ui/MainSettingsDlg.h"
#include "ui/menu/PlatformClass.h"

#include <commctrl.h>

namespace {

// The main window of the running copy: later starts find it through the
// single-instance guard once it exists.
class CRunningMainWindow : public CMainSettingsDlg {
  protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CMainSettingsDlg::OnInitDialog();
        PublishRunningCopyWindow(m_hWnd);
        AcceptVerbsFromLesserStarts(m_hWnd);
        return result;
    }
};

void InitialiseCommonControls()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

} // namespace

const char* LanguageModuleName(LANGID language)
{
    return PRIMARYLANGID(language) == LANG_CHINESE ? "chinese.dll" : "English.dll";
}

void CDesktopApp::ActivateRunningInstance()
{
    HWND running = FindRunningCopyWindow();
    if (!running)
        return;
    // An open dialog of the running copy (About box, picture choice) comes
    // forward after its main window.
    HWND popup = GetLastActivePopup(running);
    if (!IsWindowVisible(running))
        ShowWindow(running, SW_SHOWNORMAL);
    SetForegroundWindow(running);
    if (popup && popup != running)
        SetForegroundWindow(popup);
}

BOOL CDesktopApp::InitInstance()
{
    // Fixed before any window exists; the menus draw by it.
    PlatformClass();
    // The language module is never unloaded: every resource comes from it.
    // Only the one beside the program will do: by bare name, a module of the
    // same name in the current folder or along the PATH would be loaded
    // when ours is missing.
    const std::string modulePath = ProgramDirectory() + "\\" + LanguageModuleName(GetSystemDefaultLangID());
    HMODULE languageModule = LoadLibraryA(modulePath.c_str());
    if (!languageModule) {
        // No resources to take a text from: this one is built in.
        AfxMessageBox("Unable to load resource DLL!", MB_OK);
        return FALSE;
    }
    AfxSetResourceHandle(languageModule);

    const CommandLineRequest request = ParseCommandLineRequest(ProcessArguments());
    if (!request.valid) {
        // Typed by someone at a prompt or in a shortcut: the answer goes
        // where they look, and no window comes.
        WriteToStartingConsole(LoadResourceString(IDS_COMMAND_LINE_USAGE));
        m_exitCode = kExitBadArguments;
        return FALSE;
    }

    switch (ClaimSingleInstance()) {
    case InstanceClaim::Failed:
        return FALSE;
    case InstanceClaim::AlreadyRunning:
        if (request.verb && !HandVerbToRunningCopy(FindRunningCopyWindow(), *request.verb))
            m_exitCode = kExitNotHandedOver;
        else if (!request.verb)
            ActivateRunningInstance();
        return FALSE;
    case InstanceClaim::First:
        break;
    }
    // Nothing runs that could end.
    if (request.verb == AtHandVerb::Exit)
        return FALSE;

    InitialiseCommonControls();
    // One apartment for the window's thread as long as it runs: the shell's
    // browser, its folder windows and ShellExecute load extensions into it,
    // which must not be unloaded while they may still be called.
    const CComApartment apartment;

    CRunningMainWindow mainWindow;
    m_pMainWnd = &mainWindow;
    // A verb with no copy running starts one as at log-on, which then does it.
    mainWindow.m_startMinimised = request.startMinimised || request.verb;
    mainWindow.m_startupVerb = request.verb;
    mainWindow.m_trayIcon = &m_trayIcon;
    mainWindow.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
