#include "ui/controls/ColorLabel.h"

#include "framework/Dpi.h"
#include "framework/InterfaceFont.h"

#include <shellapi.h>

#include <utility>

namespace {

void ShellOpen(const std::string& address)
{
    // Nothing is reported: the user sees whether the browser came.
    ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

CColorLabel::LinkOpener linkOpener = ShellOpen;

} // namespace

CColorLabel::CColorLabel() : m_textColor(GetSysColor(COLOR_WINDOWTEXT)), m_fontDescription{}
{
    m_brush.CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof m_fontDescription, &m_fontDescription);
    m_fontDescription.lfCharSet = SystemLanguageCharset();
    m_systemFontHeight = m_fontDescription.lfHeight;
    m_font.CreateFontIndirect(m_fontDescription);
}

void CColorLabel::SetLinkOpener(LinkOpener opener)
{
    linkOpener = opener ? opener : ShellOpen;
}

CColorLabel& CColorLabel::SetLink(BOOL link)
{
    m_link = link;
    // A static control without SS_NOTIFY lets clicks through to its parent,
    // so only a link reacts to them.
    const LONG style = GetWindowLongA(m_hWnd, GWL_STYLE);
    SetWindowLongA(m_hWnd, GWL_STYLE, link ? style | SS_NOTIFY : style & ~SS_NOTIFY);
    return *this;
}

CColorLabel& CColorLabel::SetTextColor(COLORREF color)
{
    m_textColor = color;
    RedrawNow();
    return *this;
}

CColorLabel& CColorLabel::SetUnderline(BOOL underline)
{
    m_fontDescription.lfUnderline = underline ? TRUE : FALSE;
    ApplyFont();
    return *this;
}

CColorLabel& CColorLabel::SetFontDpi(UINT dpi)
{
    m_fontDescription.lfHeight =
        MulDiv(m_systemFontHeight, static_cast<int>(dpi), static_cast<int>(WindowDpi(nullptr)));
    ApplyFont();
    return *this;
}

void CColorLabel::ApplyFont()
{
    CFont font;
    font.CreateFontIndirect(m_fontDescription);
    // A static control draws its text with the font it was given: it is
    // given the new one before the one it holds is deleted.
    if (m_hWnd)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetHandle()), FALSE);
    m_font = std::move(font);
    RedrawNow();
}

CColorLabel& CColorLabel::SetLinkCursor(HCURSOR cursor)
{
    m_cursor = cursor;
    return *this;
}

CColorLabel& CColorLabel::SetBackgroundColor(COLORREF color)
{
    m_brush.CreateSolidBrush(color);
    RedrawNow();
    return *this;
}

void CColorLabel::RedrawNow()
{
    if (m_hWnd)
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CColorLabel::OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result)
{
    if (msg != WM_CTLCOLORSTATIC)
        return CWnd::OnChildNotify(msg, wp, lp, result);
    HDC dc = reinterpret_cast<HDC>(wp);
    ::SetTextColor(dc, m_textColor);
    SetBkMode(dc, TRANSPARENT);
    *result = reinterpret_cast<LRESULT>(m_brush.GetHandle());
    return TRUE;
}

LRESULT CColorLabel::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
        // The link opens on the press, not on the release.
        linkOpener(GetWindowText());
        break;
    case WM_SETCURSOR:
        if (m_cursor) {
            SetCursor(m_cursor);
            return TRUE;
        }
        break;
    }
    return CWnd::WindowProc(msg, wp, lp);
}
