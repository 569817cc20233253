#include "framework/Dialog.h"

#include "framework/App.h"
#include "framework/DataExchange.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_parent(parent), m_templateId(templateId) {}

INT_PTR CDialog::DoModal()
{
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(m_templateId), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* dialogTemplate = loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
    if (!dialogTemplate)
        return -1;

    // Disable the root of the owner chain, as the system's own modal
    // dialogs do, so no other window of ours takes input meanwhile.
    HWND owner = m_parent ? GetAncestor(m_parent->m_hWnd, GA_ROOT) : nullptr;
    const bool disabledOwner = owner && IsWindowEnabled(owner);
    if (disabledOwner)
        EnableWindow(owner, FALSE);

    m_ended = false;
    m_result = -1;
    HWND window = CreateDialogIndirectParamA(AfxGetInstanceHandle(), dialogTemplate, owner, &DialogProc,
                                             reinterpret_cast<LPARAM>(this));
    if (window) {
        RunModalLoop();
    }

    // Enable the owner before the dialog goes, or activation would jump to
    // another program's window.
    if (disabledOwner)
        EnableWindow(owner, TRUE);
    if (owner && GetActiveWindow() == m_hWnd)
        SetActiveWindow(owner);
    if (m_hWnd)
        DestroyWindow();
    return m_result;
}

void CDialog::RunModalLoop()
{
    // A template without WS_VISIBLE is shown once the loop starts.
    if (!m_ended && !(GetWindowLongA(m_hWnd, GWL_STYLE) & WS_VISIBLE)) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow(m_hWnd);
    }
    while (!m_ended) {
        MSG msg;
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1)
            break;
        if (got == 0) {
            // WM_QUIT belongs to the outermost loop: pass it on.
            PostQuitMessage(static_cast<int>(msg.wParam));
            m_result = -1;
            break;
        }
        if (WalkPreTranslateTree(m_hWnd, &msg))
            continue;
        if (m_hWnd && IsDialogMessageA(m_hWnd, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    m_ended = true;
    // Wake the loop in case no other message is on its way.
    if (m_hWnd)
        PostMessageA(m_hWnd, WM_NULL, 0, 0);
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
    return dialog->OnInitDialog();
}
