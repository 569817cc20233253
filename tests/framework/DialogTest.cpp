// The modal dialog and its data exchange, driven with real messages.

#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "tests/framework/TestDialog.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

#include <functional>

using testing_support::AnswerMessageBoxes;

namespace {

constexpr UINT kRunScript = WM_APP + 1;

// A dialog whose test runs once the modal loop is going.
class ExchangeDialog : public CDialog {
  public:
    ExchangeDialog() : CDialog(IDD_EXCHANGE_TEST) {}

    int check = 1;
    int radio = 2;
    double number = 0.5;
    int editNotifications = 0;
    int preTranslatedScripts = 0;
    std::function<void(ExchangeDialog&)> script;

    using CDialog::EndDialog;

    HWND Control(int id) const { return GetDlgItem(id); }

  protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Check(dx, IDC_TEST_CHECK, check);
        DDX_Radio(dx, IDC_TEST_RADIO_FIRST, radio);
        DDX_Text(dx, IDC_TEST_EDIT, number);
        DDV_MinMaxDouble(dx, number, 0.0167, 99999999.999);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ::PostMessageA(m_hWnd, kRunScript, 0, 0);
        return TRUE;
    }

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == kRunScript)
            ++preTranslatedScripts;
        return FALSE;
    }

    BOOL OnCommand(WPARAM wp, LPARAM lp) override
    {
        if (CDialog::OnCommand(wp, lp))
            return TRUE;
        if (LOWORD(wp) == IDC_TEST_EDIT && HIWORD(wp) == EN_CHANGE)
            ++editNotifications;
        return FALSE;
    }

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == kRunScript && script) {
            auto run = std::move(script);
            run(*this);
            return 0;
        }
        return CDialog::WindowProc(msg, wp, lp);
    }
};

bool IsChecked(HWND button)
{
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Saves the controls; a message box that shows fails the test instead of
// waiting for a user.
bool SaveWithoutMessages(ExchangeDialog& dialog)
{
    BOOL valid = FALSE;
    EXPECT_EQ(L"", AnswerMessageBoxes([&] { valid = dialog.UpdateData(TRUE); }));
    return valid != FALSE;
}

std::string Text(HWND window)
{
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

} // namespace

TEST(Dialog, PutsMembersIntoControlsAndReadsThemBack)
{
    ExchangeDialog dialog;
    dialog.script = [](ExchangeDialog& d) {
        EXPECT_TRUE(IsChecked(d.Control(IDC_TEST_CHECK)));
        EXPECT_FALSE(IsChecked(d.Control(IDC_TEST_RADIO_FIRST)));
        EXPECT_TRUE(IsChecked(d.Control(IDC_TEST_RADIO_THIRD)));
        EXPECT_EQ("0.5", Text(d.Control(IDC_TEST_EDIT)));

        SendMessageA(d.Control(IDC_TEST_CHECK), BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageA(d.Control(IDC_TEST_RADIO_THIRD), BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageA(d.Control(IDC_TEST_RADIO_SECOND), BM_SETCHECK, BST_CHECKED, 0);
        SetWindowTextA(d.Control(IDC_TEST_EDIT), "  42.25 ");
        EXPECT_TRUE(SaveWithoutMessages(d));
        PostMessageA(d, WM_COMMAND, IDOK, 0);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(0, dialog.check);
    EXPECT_EQ(1, dialog.radio);
    EXPECT_DOUBLE_EQ(42.25, dialog.number);
}

TEST(Dialog, RadioGroupWithNothingCheckedReadsMinusOne)
{
    ExchangeDialog dialog;
    dialog.radio = 7; // no such button: the group shows nothing checked
    dialog.script = [](ExchangeDialog& d) {
        EXPECT_TRUE(SaveWithoutMessages(d));
        d.EndDialog(IDCANCEL);
    };
    dialog.DoModal();
    EXPECT_EQ(-1, dialog.radio);
}

TEST(Dialog, TextThatIsNotANumberFailsWithTheFrameworkMessage)
{
    ExchangeDialog dialog;
    dialog.script = [](ExchangeDialog& d) {
        SendMessageA(d.Control(IDC_TEST_CHECK), BM_SETCHECK, BST_UNCHECKED, 0);
        SetWindowTextA(d.Control(IDC_TEST_EDIT), "abc");
        BOOL valid = TRUE;
        EXPECT_EQ(L"Not a number.\n", AnswerMessageBoxes([&] { valid = d.UpdateData(TRUE); }));
        EXPECT_FALSE(valid);
        EXPECT_EQ(d.Control(IDC_TEST_EDIT), GetFocus());
        // Enter does not end the dialog while the text is bad.
        EXPECT_EQ(L"Not a number.\n", AnswerMessageBoxes([&] { SendMessageA(d, WM_COMMAND, IDOK, 0); }));
        EXPECT_TRUE(IsWindow(d));
        d.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    // Controls before the failing one were taken.
    EXPECT_EQ(0, dialog.check);
    EXPECT_DOUBLE_EQ(0.5, dialog.number);
}

TEST(Dialog, OutOfRangeNumberNamesTheBoundsWithFifteenDigits)
{
    ExchangeDialog dialog;
    dialog.script = [](ExchangeDialog& d) {
        SetWindowTextA(d.Control(IDC_TEST_EDIT), "0");
        BOOL valid = TRUE;
        EXPECT_EQ(L"Between 0.0167 and 99999999.999.\n", AnswerMessageBoxes([&] { valid = d.UpdateData(TRUE); }));
        EXPECT_FALSE(valid);
        EXPECT_EQ(d.Control(IDC_TEST_EDIT), GetFocus());
        d.EndDialog(IDCANCEL);
    };
    dialog.DoModal();
    // The range check runs after the value was taken.
    EXPECT_DOUBLE_EQ(0.0, dialog.number);
}

TEST(Dialog, OnlyTheFirst31CharactersOfAnEditCount)
{
    ExchangeDialog dialog;
    dialog.script = [](ExchangeDialog& d) {
        // 31 characters of number, then letters the exchange never sees.
        SetWindowTextA(d.Control(IDC_TEST_EDIT), "                          12345xyz");
        EXPECT_TRUE(SaveWithoutMessages(d));
        d.EndDialog(IDCANCEL);
    };
    dialog.DoModal();
    EXPECT_DOUBLE_EQ(12345, dialog.number);
}

TEST(Dialog, ControlNotificationsAreSuppressedWhileDataGoesIntoTheControls)
{
    ExchangeDialog dialog;
    int duringInitialLoad = -1;
    dialog.script = [&](ExchangeDialog& d) {
        duringInitialLoad = d.editNotifications;
        d.number = 7;
        d.UpdateData(FALSE);
        EXPECT_EQ(0, d.editNotifications);
        SetWindowTextA(d.Control(IDC_TEST_EDIT), "8"); // as if the user typed
        EXPECT_EQ(1, d.editNotifications);
        d.EndDialog(IDCANCEL);
    };
    dialog.DoModal();
    EXPECT_EQ(0, duringInitialLoad);
}

TEST(Dialog, ModalLoopPreTranslatesAndFiresTimers)
{
    // The dialog ends from its own timer, inside its own loop.
    struct TimerDialog : ExchangeDialog {
        LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
        {
            if (msg == WM_TIMER && wp == 5) {
                KillTimer(5);
                EndDialog(55);
                return 0;
            }
            return ExchangeDialog::WindowProc(msg, wp, lp);
        }
    } timed;
    timed.script = [](ExchangeDialog& d) { d.SetTimer(5, 20); };
    EXPECT_EQ(55, timed.DoModal());
    EXPECT_EQ(1, timed.preTranslatedScripts);
}

TEST(Dialog, QuitInANestedLoopEndsTheOuterLoopToo)
{
    ExchangeDialog outer;
    INT_PTR innerResult = 0;
    outer.script = [&](ExchangeDialog&) {
        ExchangeDialog inner;
        inner.script = [](ExchangeDialog&) { PostQuitMessage(3); };
        innerResult = inner.DoModal();
    };
    EXPECT_EQ(-1, outer.DoModal());
    EXPECT_EQ(-1, innerResult);
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, quit.wParam);
}

TEST(Dialog, OwnerIsDisabledWhileAChildDialogRuns)
{
    ExchangeDialog owner;
    owner.script = [](ExchangeDialog& o) {
        struct ChildDialog : ExchangeDialog {
            explicit ChildDialog(CWnd* parent) { m_parent = parent; }
        } child(&o);
        child.script = [&](ExchangeDialog& c) {
            EXPECT_FALSE(IsWindowEnabled(o));
            c.EndDialog(IDOK);
        };
        EXPECT_EQ(IDOK, child.DoModal());
        EXPECT_TRUE(IsWindowEnabled(o));
        o.EndDialog(IDCANCEL);
    };
    owner.DoModal();
}

TEST(Dialog, WindowObjectIsUnboundAfterTheDialogEnds)
{
    ExchangeDialog dialog;
    HWND window = nullptr;
    dialog.script = [&](ExchangeDialog& d) {
        window = d;
        EXPECT_EQ(&d, CWnd::FromHandle(window));
        d.EndDialog(IDCANCEL);
    };
    dialog.DoModal();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, CWnd::FromHandle(window));
    EXPECT_EQ(nullptr, dialog.m_hWnd);
}
