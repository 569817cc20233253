// The window layer on real windows: creation and binding, reflection of
// control notifications, owner-drawn menu routing, the GDI owners, dialogs
// from the resource module, the modal loop's end and the exception boundary.

#include "framework/App.h"
#include "framework/Dialog.h"
#include "framework/ExceptionBoundary.h"
#include "framework/GdiObject.h"
#include "framework/Menu.h"
#include "framework/Window.h"
#include "resources/resource.h"
#include "tests/framework/TestDialog.h"
#include "tests/support/WindowHelpers.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using testing_support::PumpUntil;

namespace {

// A top-level window that records what reaches its own WindowProc.
class RecordingWindow : public CWnd {
  public:
    std::vector<UINT> seen;
    bool sawCreate = false;
    bool lastMessageSeen = false;
    int ctlColorFrom = 0;
    std::function<void(UINT)> onMessage;

    bool Saw(UINT msg) const { return std::find(seen.begin(), seen.end(), msg) != seen.end(); }

  protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        seen.push_back(msg);
        if (msg == WM_CREATE)
            sawCreate = FromHandle(m_hWnd) == this;
        if (msg == WM_CTLCOLORSTATIC)
            ctlColorFrom = ::GetDlgCtrlID(reinterpret_cast<HWND>(lp));
        if (onMessage)
            onMessage(msg);
        return CWnd::WindowProc(msg, wp, lp);
    }
    void PostNcDestroy() override { lastMessageSeen = true; }
};

// A control that answers some of its own notifications.
class AnsweringControl : public CWnd {
  public:
    explicit AnsweringControl(bool answers) : answers_(answers) {}
    HBRUSH brush = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    int offered = 0;

  protected:
    BOOL OnChildNotify(UINT msg, WPARAM, LPARAM, LRESULT* result) override
    {
        ++offered;
        if (!answers_)
            return FALSE;
        *result = msg == WM_CTLCOLORSTATIC ? reinterpret_cast<LRESULT>(brush) : TRUE;
        return TRUE;
    }

  private:
    bool answers_;
};

RECT Rect(int left, int top, int right, int bottom)
{
    return RECT{left, top, right, bottom};
}

} // namespace

TEST(WindowLayer, CreatedWindowIsBoundFromItsFirstMessageToItsLast)
{
    RecordingWindow window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "binding", WS_OVERLAPPEDWINDOW, Rect(0, 0, 200, 100), nullptr, 0));
    EXPECT_TRUE(window.sawCreate);
    EXPECT_EQ(WM_NCCREATE, window.seen.front());
    HWND handle = window.m_hWnd;
    EXPECT_EQ(&window, CWnd::FromHandle(handle));

    ::DestroyWindow(handle);
    EXPECT_TRUE(window.lastMessageSeen);
    EXPECT_EQ(WM_NCDESTROY, window.seen.back());
    EXPECT_EQ(nullptr, CWnd::FromHandle(handle));
    EXPECT_EQ(nullptr, window.m_hWnd);
}

TEST(WindowLayer, ControlNotificationsAreOfferedToTheControlFirst)
{
    RecordingWindow parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, Rect(0, 0, 300, 200), nullptr, 0));
    AnsweringControl answering(true), declining(false);
    // System classes are subclassed once created.
    ASSERT_TRUE(answering.Create("STATIC", "answers", WS_CHILD | WS_VISIBLE, Rect(0, 0, 100, 20), &parent, 11));
    ASSERT_TRUE(declining.Create("STATIC", "declines", WS_CHILD | WS_VISIBLE, Rect(0, 30, 100, 50), &parent, 12));
    EXPECT_EQ(&answering, CWnd::FromHandle(answering.m_hWnd));

    // A painting static asks its parent for colours.
    parent.ctlColorFrom = 0;
    RedrawWindow(answering, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(answering.offered, 0);
    EXPECT_EQ(0, parent.ctlColorFrom); // the control's answer stood
    RedrawWindow(declining, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(declining.offered, 0);
    EXPECT_EQ(12, parent.ctlColorFrom); // declined: the parent answered

    // Commands from a control and WM_NOTIFY follow the same rule.
    parent.seen.clear();
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(11, STN_CLICKED), reinterpret_cast<LPARAM>(answering.m_hWnd));
    NMHDR header{answering.m_hWnd, 11, NM_CLICK};
    EXPECT_EQ(TRUE, SendMessageA(parent, WM_NOTIFY, 11, reinterpret_cast<LPARAM>(&header)));
    EXPECT_FALSE(parent.Saw(WM_COMMAND));
    EXPECT_FALSE(parent.Saw(WM_NOTIFY));
    header.hwndFrom = declining.m_hWnd;
    SendMessageA(parent, WM_NOTIFY, 12, reinterpret_cast<LPARAM>(&header));
    EXPECT_TRUE(parent.Saw(WM_NOTIFY));
    parent.DestroyWindow();
}

namespace {

// A menu with records of its own, as the owner-drawn menus keep them.
class RecordMenu : public CMenu {
  public:
    std::vector<int> records = std::vector<int>(3);
    int measured = 0;
    int drawn = 0;

    bool OwnsItemData(ULONG_PTR data) const override
    {
        for (const int& record : records)
            if (data == reinterpret_cast<ULONG_PTR>(&record))
                return true;
        return false;
    }
    void MeasureItem(MEASUREITEMSTRUCT* item) override
    {
        ++measured;
        item->itemWidth = 80;
        item->itemHeight = 20;
    }
    void DrawItem(DRAWITEMSTRUCT*) override { ++drawn; }
};

} // namespace

TEST(WindowLayer, OwnerDrawnMenuRequestsReachTheMenuThatHoldsTheItem)
{
    RecordingWindow owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, Rect(100, 100, 300, 200), nullptr, 0));
    SetForegroundWindow(owner);
    RecordMenu shown, other;
    ASSERT_TRUE(shown.CreatePopupMenu());
    ASSERT_TRUE(other.CreatePopupMenu());
    for (int i = 0; i < 3; ++i) {
        AppendMenuA(shown.m_hMenu, MF_OWNERDRAW, 100 + i, reinterpret_cast<LPCSTR>(&shown.records[i]));
        AppendMenuA(other.m_hMenu, MF_OWNERDRAW, 200 + i, reinterpret_cast<LPCSTR>(&other.records[i]));
    }
    // Close the menu once every item was drawn (or after two seconds).
    int ticks = 0;
    owner.onMessage = [&](UINT msg) {
        if (msg == WM_TIMER && (shown.drawn >= 3 || ++ticks > 40))
            EndMenu();
    };
    owner.SetTimer(1, 50);
    shown.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, 120, 120, &owner);
    owner.KillTimer(1);

    EXPECT_EQ(3, shown.measured);
    EXPECT_GE(shown.drawn, 3);
    EXPECT_EQ(0, other.measured + other.drawn);
    // Menu requests never reach the window's own handlers.
    EXPECT_FALSE(owner.Saw(WM_MEASUREITEM));
    EXPECT_FALSE(owner.Saw(WM_DRAWITEM));
    EXPECT_TRUE(owner.Saw(WM_INITMENUPOPUP));

    // A destroyed menu is no longer found.
    HMENU handle = other.m_hMenu;
    other.DestroyMenu();
    EXPECT_EQ(nullptr, CMenu::FromHandle(handle));
    owner.DestroyWindow();
}

TEST(WindowLayer, GdiOwnersGiveBackWhatTheyTookAndSelectionsRestore)
{
    const GdiOwnerCount before = GdiOwnerCounters();
    {
        CPen pen;
        CBrush brush;
        CFont font;
        CRgn region;
        ASSERT_TRUE(pen.CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(4, 5, 6)));
        LOGFONTA description = {};
        description.lfHeight = -12;
        ASSERT_TRUE(font.CreateFontIndirect(description));
        ASSERT_TRUE(region.CreateRectRgn(0, 0, 10, 10));
        CRgn moved(std::move(region));
        EXPECT_EQ(nullptr, region.GetHandle());

        OwnedDc memory(CreateCompatibleDC(nullptr));
        const HGDIOBJ originalFont = GetCurrentObject(memory.Get(), OBJ_FONT);
        {
            ScopedSelectObject selectFont(memory.Get(), font);
            ScopedSelectObject selectPen(memory.Get(), pen);
            EXPECT_EQ(font.GetSafeHandle(), GetCurrentObject(memory.Get(), OBJ_FONT));
        }
        EXPECT_EQ(originalFont, GetCurrentObject(memory.Get(), OBJ_FONT));
    }
    const GdiOwnerCount after = GdiOwnerCounters();
    EXPECT_EQ(after.created - before.created, 4);
    EXPECT_EQ(after.created - before.created, after.deleted - before.deleted);
}

TEST(WindowLayer, PaintContextValidatesWhatItPainted)
{
    RecordingWindow window;
    int paints = 0;
    window.onMessage = [&](UINT msg) {
        if (msg == WM_PAINT) {
            ++paints;
            PaintDc paint(window);
        }
    };
    ASSERT_TRUE(window.CreateEx(0, nullptr, "paint", WS_POPUP | WS_VISIBLE, Rect(0, 0, 100, 100), nullptr, 0));
    window.Invalidate();
    PumpUntil([&] { return paints > 0; }, 2000);
    RECT left = {};
    EXPECT_FALSE(GetUpdateRect(window, &left, FALSE));
    window.DestroyWindow();
}

namespace {

class ScriptDialog : public CDialog {
  public:
    explicit ScriptDialog(UINT templateId) : CDialog(templateId) {}
    std::function<void(ScriptDialog&)> script;
    using CDialog::EndDialog;

  protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ::PostMessageA(m_hWnd, WM_APP, 0, 0);
        return TRUE;
    }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_APP && script) {
            auto run = std::move(script);
            run(*this);
            return 0;
        }
        return CDialog::WindowProc(msg, wp, lp);
    }
};

// Ends a dialog that should have ended by itself, so a regression fails
// instead of hanging the suite.
void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD)
{
    PostQuitMessage(99);
}

} // namespace

TEST(WindowLayer, DialogPicturesComeFromTheResourceModuleInUse)
{
    HMODULE english = LoadLibraryA("English.dll");
    ASSERT_NE(nullptr, english);
    const HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(english);
    ScriptDialog about(IDD_ABOUTBOX);
    HANDLE picture = nullptr;
    about.script = [&](ScriptDialog& d) {
        // The About box's picture is a static with SS_BITMAP 140, which
        // exists in the language module only.
        HWND frame = FindWindowExA(d, nullptr, "Static", nullptr);
        picture = reinterpret_cast<HANDLE>(SendMessageA(frame, STM_GETIMAGE, IMAGE_BITMAP, 0));
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, about.DoModal());
    AfxSetResourceHandle(previous);
    FreeLibrary(english);
    EXPECT_NE(nullptr, picture);
}

TEST(WindowLayer, ModalLoopEndsWhenItsDialogIsDestroyedWithoutEndDialog)
{
    ScriptDialog dialog(IDD_EXCHANGE_TEST);
    dialog.script = [](ScriptDialog& d) { ::DestroyWindow(d); };
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 5000, &Watchdog);
    EXPECT_EQ(-1, dialog.DoModal());
    KillTimer(nullptr, watchdog);
    // The watchdog's quit message must not be what ended the loop.
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

namespace {

std::vector<std::string> reports;
void RecordReport(const char* what)
{
    reports.emplace_back(what);
}

class ThrowingWindow : public CWnd {
  public:
    int throws = 0;
    int preTranslated = 0;

  protected:
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_APP + 1)
            ++preTranslated;
        if (msg->message == WM_APP + 2) {
            ++throws;
            throw std::runtime_error("pre-translation failed");
        }
        return FALSE;
    }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_APP) {
            ++throws;
            throw std::runtime_error("handler failed");
        }
        if (msg == WM_APP + 1) {
            PostQuitMessage(0);
            return 0;
        }
        return CWnd::WindowProc(msg, wp, lp);
    }
};

class TestApp : public CWinApp {};

} // namespace

TEST(WindowLayer, ExceptionsStopAtTheWindowProcedureAndTheLoopGoesOn)
{
    const ExceptionReporter previous = SetExceptionReporter(&RecordReport);
    reports.clear();
    ThrowingWindow window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "throws", WS_POPUP, Rect(0, 0, 50, 50), nullptr, 0));
    EXPECT_EQ(0, SendMessageA(window, WM_APP, 0, 0));
    window.PostMessage(WM_APP);
    window.PostMessage(WM_APP + 2);
    window.PostMessage(WM_APP + 1);

    // The application's loop pre-translates like the modal loop and
    // survives the exceptions of the handler and of the pre-translation.
    TestApp app;
    app.Run();
    EXPECT_EQ(3, window.throws);
    EXPECT_EQ(1, window.preTranslated);
    ASSERT_EQ(1u, reports.size()); // reported once
    EXPECT_EQ("handler failed", reports[0]);
    window.DestroyWindow();
    SetExceptionReporter(previous);
}
