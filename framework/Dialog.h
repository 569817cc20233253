#pragma once
// CDialog: a dialog from a template of the resource module, run modally in
// our own message loop. The loop offers every message to the windows'
// PreTranslateMessage chain before IsDialogMessage, and window timers keep
// firing in it, also when one modal dialog runs inside another.

#include "framework/Window.h"

class CDataExchange;

class CDialog : public CWnd {
  public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Creates the dialog, disables its owner, pumps messages until
    // EndDialog, re-enables the owner and destroys the window. Returns the
    // value given to EndDialog, or -1 when the dialog could not be created.
    // The loop also ends, with -1, when the window is destroyed without
    // EndDialog.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; EndDialog then destroys it.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);

    // Moves data between the controls and the members. Saving validates
    // and stops at the first bad control (after a message and with the
    // focus on it); returns whether everything was exchanged.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // True while data is being put into the controls: the notifications
    // that the controls send back meanwhile are not the user's doing.
    bool NotificationsLocked() const { return m_notificationsLocked; }

  protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* dx);

    BOOL OnCommand(WPARAM wp, LPARAM lp) override;

    CWnd* m_parent;

  private:
    // The window from the template of the resource module in use, owned by
    // `owner`; null when the template is missing or creation failed.
    HWND CreateFromTemplate(HWND owner);
    void RunModalLoop();
    static INT_PTR CALLBACK DialogProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

    UINT m_templateId;
    bool m_ended = false;
    bool m_modal = false;
    INT_PTR m_result = -1;
    bool m_notificationsLocked = false;
};
