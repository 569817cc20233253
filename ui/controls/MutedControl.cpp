#include "ui/controls/MutedControl.h"

#include "framework/Dpi.h"
#include "framework/GdiObject.h"
#include "ui/controls/DialogColours.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <string>

namespace {

enum class Kind { None, CheckBox, RadioButton, Label, Edit };

Kind KindOf(HWND control)
{
    char name[16] = {};
    GetClassNameA(control, name, sizeof name);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if (lstrcmpiA(name, "Edit") == 0)
        return (style & ES_MULTILINE) ? Kind::None : Kind::Edit;
    if (lstrcmpiA(name, "Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP ? Kind::Label
                                                                                                     : Kind::None;
    }
    if (lstrcmpiA(name, "Button") != 0 || (style & (BS_MULTILINE | BS_PUSHLIKE | BS_BITMAP | BS_ICON)))
        return Kind::None;
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return Kind::CheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return Kind::RadioButton;
    }
    return Kind::None;
}

// The theme's handle for the control's own parts, released with it.
class ThemeData {
  public:
    explicit ThemeData(HWND control) : m_theme(OpenThemeData(control, L"BUTTON")) {}
    ~ThemeData()
    {
        if (m_theme)
            CloseThemeData(m_theme);
    }
    ThemeData(const ThemeData&) = delete;
    ThemeData& operator=(const ThemeData&) = delete;
    HTHEME Get() const { return m_theme; }

  private:
    HTHEME m_theme;
};

} // namespace

std::vector<std::unique_ptr<CMutedControl>> CMutedControl::TakeOverControls(HWND window)
{
    std::vector<std::unique_ptr<CMutedControl>> controls;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (KindOf(child) == Kind::None)
            continue;
        controls.push_back(std::make_unique<CMutedControl>());
        controls.back()->SubclassWindow(child);
    }
    return controls;
}

bool CMutedControl::DrawsNow() const
{
    return !IsWindowEnabled(m_hWnd) && !HighContrastOn();
}

int CMutedControl::DrawGlyph(HDC dc, const RECT& client, LONG type)
{
    const bool radio = KindOf(m_hWnd) == Kind::RadioButton;
    const bool checked = ::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    // The system's box, 13 pixels at 96 DPI.
    const int side = ScaleForDpi(13, WindowDpi(m_hWnd));
    const ThemeData theme(m_hWnd);
    SIZE size = {side, side};
    const int part = radio ? BP_RADIOBUTTON : BP_CHECKBOX;
    const int state = radio ? static_cast<int>(checked ? RBS_CHECKEDDISABLED : RBS_UNCHECKEDDISABLED)
                            : static_cast<int>(checked ? CBS_CHECKEDDISABLED : CBS_UNCHECKEDDISABLED);
    if (theme.Get())
        GetThemePartSize(theme.Get(), dc, part, state, nullptr, TS_DRAW, &size);
    const int top = client.top + (client.bottom - client.top - size.cy) / 2;
    RECT box = {client.left, top, client.left + size.cx, top + size.cy};
    if ((type & BS_LEFTTEXT) != 0)
        OffsetRect(&box, client.right - box.right, 0);
    if (theme.Get())
        DrawThemeBackground(theme.Get(), dc, part, state, &box, nullptr);
    else
        DrawFrameControl(dc, &box, DFC_BUTTON,
                         (radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | DFCS_INACTIVE | (checked ? DFCS_CHECKED : 0));
    // The gap after the box is half a digit's width, as the system leaves.
    INT digit = 0;
    GetCharWidth32A(dc, '0', '0', &digit);
    return size.cx + digit / 2;
}

UINT CMutedControl::TextFormat(LONG style) const
{
    UINT format = DT_EXPANDTABS;
    if (::SendMessageA(m_hWnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL)
        format |= DT_HIDEPREFIX;
    switch (KindOf(m_hWnd)) {
    case Kind::Label:
        if (style & SS_NOPREFIX)
            format |= DT_NOPREFIX;
        switch (style & SS_TYPEMASK) {
        case SS_CENTER:
            return format | DT_CENTER | DT_WORDBREAK;
        case SS_RIGHT:
            return format | DT_RIGHT | DT_WORDBREAK;
        case SS_LEFTNOWORDWRAP:
            return format | DT_LEFT | DT_SINGLELINE;
        }
        return format | DT_LEFT | DT_WORDBREAK;
    case Kind::Edit:
        return DT_NOPREFIX | DT_SINGLELINE |
               ((style & ES_RIGHT)    ? DT_RIGHT
                : (style & ES_CENTER) ? DT_CENTER
                                      : DT_LEFT);
    default:
        return format | DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    }
}

void CMutedControl::Draw(HDC dc)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const Kind kind = KindOf(m_hWnd);
    // The background our window gives the control (a disabled edit asks as
    // a label does).
    const UINT request = kind == Kind::CheckBox || kind == Kind::RadioButton ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC;
    auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageA(GetParent(), request, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(m_hWnd)));
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    const ScopedSelectObject font(dc, reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
    const LONG style = GetWindowLongA(m_hWnd, GWL_STYLE);
    RECT text = client;
    if (kind == Kind::CheckBox || kind == Kind::RadioButton) {
        const int room = DrawGlyph(dc, client, style);
        if (style & BS_LEFTTEXT)
            text.right -= room;
        else
            text.left += room;
    }
    if (kind == Kind::Edit) {
        const DWORD margins = static_cast<DWORD>(::SendMessageA(m_hWnd, EM_GETMARGINS, 0, 0));
        text.left += LOWORD(margins) + 1;
        text.right -= HIWORD(margins) + 1;
        text.top += 1;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kDisabledTextColour);
    const std::string label = GetWindowText();
    DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &text, TextFormat(style));
}

LRESULT CMutedControl::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT:
        if (!DrawsNow())
            break;
        {
            PaintDc paint(m_hWnd);
            Draw(paint.Get());
        }
        return 0;
    case WM_PRINTCLIENT:
        if (!DrawsNow())
            break;
        Draw(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_ERASEBKGND:
        if (DrawsNow())
            return 1; // the paint fills it
        break;
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_UPDATEUISTATE:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_SETSTYLE: {
        // A button draws these changes at once, not through its paint.
        const LRESULT result = CWnd::WindowProc(msg, wp, lp);
        if (DrawsNow() || msg == WM_ENABLE)
            RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return result;
    }
    }
    return CWnd::WindowProc(msg, wp, lp);
}
