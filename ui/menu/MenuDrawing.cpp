#include "ui/menu/MenuDrawing.h"

#include "framework/GdiObject.h"
#include "ui/menu/PlatformClass.h"

namespace {

// Where the source (a mask) is black, the pattern; where it is white, the
// destination stays.
constexpr DWORD kPaintPatternWhereBlack = 0x00B8074A;

// The tick: seven columns of three pixels, each column's top row given as
// an offset from the tick's origin.
constexpr int kTickColumnTops[] = {2, 3, 4, 3, 2, 1, 0};
constexpr int kTickColumnHeight = 3;

void PaintInk(HDC scratch, HDC mask, int x, int y, int width, int height, COLORREF color)
{
    CBrush brush;
    brush.CreateSolidBrush(color);
    ScopedSelectObject selectBrush(scratch, brush);
    BitBlt(scratch, x, y, width, height, mask, 0, 0, kPaintPatternWhereBlack);
}

} // namespace

void FillSolid(HDC dc, const RECT& rect, COLORREF color)
{
    CBrush brush;
    brush.CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF color)
{
    CBrush brush;
    brush.CreateSolidBrush(color);
    FrameRect(dc, &rect, brush);
}

void Draw3dFrame(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolid(dc, {rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
    FillSolid(dc, {rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
    FillSolid(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
    FillSolid(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
}

void DrawCheckMark(HDC dc, const RECT& box, bool selected, bool dot)
{
    const bool newShell = IsNewShell();
    FillSolid(dc, box, GetSysColor(selected || !newShell ? COLOR_MENU : COLOR_3DLIGHT));
    if (newShell) {
        RECT edge = box;
        DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    }
    const COLORREF ink = GetSysColor(COLOR_MENUTEXT);
    if (dot) {
        CBrush brush;
        brush.CreateSolidBrush(ink);
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, ink);
        ScopedSelectObject selectBrush(dc, brush);
        ScopedSelectObject selectPen(dc, pen);
        const int left = box.left + 5;
        const int top = box.top + 4;
        Ellipse(dc, left, top, left + 6, top + 6);
        return;
    }
    const int x = box.left + 4;
    const int y = box.top + 4;
    for (int column = 0; column < 7; ++column) {
        const int top = y + kTickColumnTops[column];
        FillSolid(dc, {x + column, top, x + column + 1, top + kTickColumnHeight}, ink);
    }
}

void DrawDisabledIcon(HDC target, int x, int y, int width, int height, HBITMAP bitmap, int sourceX, int sourceY)
{
    OwnedDc source(CreateCompatibleDC(target));
    OwnedDc maskDc(CreateCompatibleDC(target));
    OwnedDc scratchDc(CreateCompatibleDC(target));
    CBitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    CBitmap scratch(CreateCompatibleBitmap(target, width, height));
    if (!source.Get() || !maskDc.Get() || !scratchDc.Get() || !mask.GetSafeHandle() || !scratch.GetSafeHandle())
        return;
    ScopedSelectObject selectSource(source.Get(), bitmap);
    ScopedSelectObject selectMask(maskDc.Get(), mask);
    ScopedSelectObject selectScratch(scratchDc.Get(), scratch);

    // The mask: white where the cell shows the face or the highlight
    // colour, black where the icon has ink.
    PatBlt(maskDc.Get(), 0, 0, width, height, WHITENESS);
    SetBkColor(source.Get(), GetSysColor(COLOR_BTNFACE));
    BitBlt(maskDc.Get(), 0, 0, width, height, source.Get(), sourceX, sourceY, SRCCOPY);
    SetBkColor(source.Get(), GetSysColor(COLOR_BTNHIGHLIGHT));
    BitBlt(maskDc.Get(), 0, 0, width, height, source.Get(), sourceX, sourceY, SRCPAINT);

    // The mask's black and white reach the scratch as they are.
    SetTextColor(scratchDc.Get(), RGB(0, 0, 0));
    SetBkColor(scratchDc.Get(), RGB(255, 255, 255));
    FillSolid(scratchDc.Get(), {0, 0, width, height}, GetSysColor(IsNewShell() ? COLOR_BTNFACE : COLOR_MENU));
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    PaintInk(scratchDc.Get(), maskDc.Get(), 0, 0, width, height, highlight);
    BitBlt(target, x + 1, y + 1, width, height, scratchDc.Get(), 0, 0, SRCCOPY);
    PaintInk(scratchDc.Get(), maskDc.Get(), 1, 1, width, height, highlight);
    PaintInk(scratchDc.Get(), maskDc.Get(), 0, 0, width, height, GetSysColor(COLOR_BTNSHADOW));
    BitBlt(target, x, y, width, height, scratchDc.Get(), 0, 0, SRCCOPY);
}
