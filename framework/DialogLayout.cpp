#include "framework/DialogLayout.h"

#include "framework/Dpi.h"

#include <cmath>

namespace {

// The dialog manager's base units of a font: its height, and half the
// rounded-up average width of the Latin letters.
SIZE BaseUnits(const LOGFONTA& font)
{
    SIZE units = {0, 0};
    CFont created;
    HDC screen = GetDC(nullptr);
    if (!screen || !created.CreateFontIndirect(font)) {
        if (screen)
            ReleaseDC(nullptr, screen);
        return units;
    }
    {
        ScopedSelectObject select(screen, created);
        TEXTMETRICA metrics = {};
        SIZE letters = {0, 0};
        static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        if (GetTextMetricsA(screen, &metrics) && GetTextExtentPoint32A(screen, kLetters, 52, &letters))
            units = {(letters.cx / 26 + 1) / 2, metrics.tmHeight};
    }
    ReleaseDC(nullptr, screen);
    return units;
}

// Pixels back to dialog units: exact, since a dialog unit is at least a
// pixel wide for any font a dialog uses (base units of 4 and more).
LONG ToUnits(LONG pixels, int base, int unitsPerBase)
{
    return base > 0 ? std::lround(static_cast<double>(pixels) * unitsPerBase / base) : 0;
}

LONG ToPixels(LONG units, int base96, int unitsPerBase, UINT dpi)
{
    return std::lround(static_cast<double>(units) * base96 * dpi / (unitsPerBase * static_cast<double>(kDefaultDpi)));
}

} // namespace

void CDialogLayout::Capture(HWND dialog)
{
    m_dialog = dialog;
    m_controls.clear();
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    if (!font || !GetObjectA(font, sizeof m_font, &m_font))
        return;
    // The template's point size, back from the height made for this DPI.
    const UINT dpi = WindowDpi(dialog);
    m_points = std::lround(std::abs(m_font.lfHeight) * 72.0 / dpi);
    LOGFONTA font96 = m_font;
    font96.lfHeight = -MulDiv(m_points, kDefaultDpi, 72);
    const SIZE base96 = BaseUnits(font96);
    m_baseX96 = base96.cx;
    m_baseY96 = base96.cy;

    RECT base = {0, 0, 4, 8};
    MapDialogRect(dialog, &base);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        m_controls.push_back(
            {child,
             {ToUnits(place.left, base.right, 4), ToUnits(place.top, base.bottom, 8),
              ToUnits(place.right - place.left, base.right, 4), ToUnits(place.bottom - place.top, base.bottom, 8)}});
    }
}

void CDialogLayout::Apply(UINT dpi)
{
    if (m_controls.empty() || m_baseX96 <= 0 || m_baseY96 <= 0)
        return;
    LOGFONTA scaled = m_font;
    scaled.lfHeight = -MulDiv(m_points, static_cast<int>(dpi), 72);
    CFont font;
    font.CreateFontIndirect(scaled);
    for (const Control& control : m_controls) {
        const RECT& units = control.units;
        SetWindowPos(control.window, nullptr, ToPixels(units.left, m_baseX96, 4, dpi),
                     ToPixels(units.top, m_baseY96, 8, dpi), ToPixels(units.right, m_baseX96, 4, dpi),
                     ToPixels(units.bottom, m_baseY96, 8, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
        if (font.GetSafeHandle())
            SendMessageA(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(font.GetHandle()), TRUE);
    }
    // The controls hold the new font now; the old one can go.
    if (font.GetSafeHandle())
        m_scaledFont = std::move(font);
}
