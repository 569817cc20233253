#include "framework/App.h"

#include "framework/MessagePump.h"
#include "framework/Path.h"
#include "framework/ResourceString.h"

namespace {

CWinApp* theApplication = nullptr;
HINSTANCE resourceModule = nullptr;

std::string ProgramTitle()
{
    return WithoutExtension(FileNamePart(ModulePath()));
}

} // namespace

CWinApp::CWinApp()
{
    theApplication = this;
}

CWinApp::~CWinApp()
{
    if (theApplication == this)
        theApplication = nullptr;
}

int CWinApp::Run()
{
    int quitCode = 0;
    while (PumpMessage(nullptr, nullptr, &quitCode) == PumpResult::Dispatched) {
    }
    return ExitInstance();
}

int CWinApp::Main(HINSTANCE instance)
{
    m_hInstance = instance;
    if (!resourceModule)
        resourceModule = instance;
    if (!InitInstance())
        return ExitInstance();
    return Run();
}

CWinApp* AfxGetApp()
{
    return theApplication;
}

HINSTANCE AfxGetInstanceHandle()
{
    if (theApplication && theApplication->m_hInstance)
        return theApplication->m_hInstance;
    return GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return resourceModule ? resourceModule : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE module)
{
    resourceModule = module;
}

int AfxMessageBox(const std::string& text, UINT type)
{
    HWND owner = GetActiveWindow();
    return MessageBoxA(owner, text.c_str(), ProgramTitle().c_str(), type);
}

int AfxMessageBox(UINT stringId, UINT type)
{
    return AfxMessageBox(LoadResourceString(stringId), type);
}
