#include "framework/Dialog.h"

#include "framework/App.h"
#include "framework/DataExchange.h"
#include "framework/ExceptionBoundary.h"
#include "framework/MessagePump.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_parent(parent), m_templateId(templateId) {}

HWND CDialog::CreateFromTemplate(HWND owner)
{
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(m_templateId), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* dialogTemplate = loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
    if (!dialogTemplate)
        return nullptr;
    // The template's pictures (SS_BITMAP, SS_ICON) and control classes are
    // looked up in the module given here: the one the template came from.
    return CreateDialogIndirectParamA(module, dialogTemplate, owner, &DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialog::DoModal()
{
    // Disable the root of the owner chain, as the system's own modal
    // dialogs do, so no other window of ours takes input meanwhile.
    HWND owner = m_parent ? GetAncestor(m_parent->m_hWnd, GA_ROOT) : nullptr;
    const bool disabledOwner = owner && IsWindowEnabled(owner);
    if (disabledOwner)
        ::EnableWindow(owner, FALSE);

    m_ended = false;
    m_modal = true;
    m_result = -1;
    if (CreateFromTemplate(owner))
        RunModalLoop();
    m_modal = false;

    // Enable the owner before the dialog goes, or activation would jump to
    // another program's window.
    if (disabledOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && GetActiveWindow() == m_hWnd)
        SetActiveWindow(owner);
    if (m_hWnd)
        DestroyWindow();
    return m_result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    if (m_hWnd)
        return FALSE;
    m_templateId = templateId;
    m_parent = parent;
    m_ended = false;
    m_modal = false;
    return CreateFromTemplate(parent ? parent->m_hWnd : nullptr) != nullptr;
}

void CDialog::RunModalLoop()
{
    // A template without WS_VISIBLE is shown once the loop starts.
    if (!m_ended && m_hWnd && !(GetWindowLongA(m_hWnd, GWL_STYLE) & WS_VISIBLE)) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow(m_hWnd);
    }
    // m_hWnd goes null when the window is destroyed behind our back.
    while (!m_ended && m_hWnd) {
        int quitCode = 0;
        const PumpResult pumped = PumpMessage(m_hWnd, m_hWnd, &quitCode);
        if (pumped == PumpResult::Quit) {
            // WM_QUIT belongs to the outermost loop: pass it on.
            PostQuitMessage(quitCode);
            m_result = -1;
            break;
        }
    }
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    m_ended = true;
    if (!m_modal) {
        DestroyWindow();
        return;
    }
    // Wake the loop in case no other message is on its way.
    if (m_hWnd)
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate != FALSE);
    const bool wasLocked = m_notificationsLocked;
    if (!saveAndValidate)
        m_notificationsLocked = true;
    DoDataExchange(&dx);
    m_notificationsLocked = wasLocked;
    return !dx.Failed();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnCommand(WPARAM wp, LPARAM lp)
{
    const UINT id = LOWORD(wp);
    const UINT code = HIWORD(wp);
    if (m_notificationsLocked && lp != 0)
        return TRUE;
    if (code != BN_CLICKED && lp != 0)
        return FALSE;
    if (id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT msg, WPARAM, LPARAM lp)
{
    if (msg != WM_INITDIALOG)
        return FALSE;
    // From here on the dialog's messages pass through its object first;
    // this procedure only answers the dialog manager's defaults.
    auto* dialog = reinterpret_cast<CDialog*>(lp);
    dialog->SubclassWindow(window);
    return GuardWindowProc([dialog] { return LRESULT(dialog->OnInitDialog()); }, TRUE);
}
