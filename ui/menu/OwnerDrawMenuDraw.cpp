// Drawing one item of an owner-drawn menu: background, icon column, check
// mark and text, in that order.
#include "ui/menu/MenuDrawing.h"
#include "framework/InterfaceFont.h"
#include "ui/menu/OwnerDrawMenu.h"
#include "ui/menu/PlatformClass.h"
#include "ui/menu/SysColorBitmap.h"

#include <algorithm>

namespace {

constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER;

RECT Offset(RECT rect, int by)
{
    OffsetRect(&rect, by, by);
    return rect;
}

void DrawTextPart(HDC dc, const std::wstring& text, RECT rect, UINT format, COLORREF color)
{
    SetTextColor(dc, color);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

// The label left-aligned and the shortcut (text after the last tab)
// right-aligned, an icon's width short of the right edge.
void DrawItemText(HDC dc, const std::wstring& text, RECT rect, int iconWidth, COLORREF color)
{
    const size_t firstTab = text.find(L'\t');
    if (firstTab == std::wstring::npos) {
        DrawTextPart(dc, text, rect, kTextFormat, color);
        return;
    }
    rect.right -= iconWidth;
    DrawTextPart(dc, text.substr(0, firstTab), rect, kTextFormat, color);
    DrawTextPart(dc, text.substr(text.rfind(L'\t') + 1), rect, kTextFormat | DT_RIGHT, color);
}

} // namespace

void COwnerDrawMenu::DrawItem(DRAWITEMSTRUCT* request)
{
    if (!OwnsItemData(request->itemData))
        return;
    const auto* record = reinterpret_cast<const OwnerDrawItem*>(request->itemData);
    HDC dc = request->hDC;
    const RECT item = request->rcItem;
    const int w = m_iconWidth;
    const int h = m_iconHeight;

    if (record->IsSeparator()) {
        RECT line = item;
        line.top += (line.bottom - line.top) / 2;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }

    const bool selected = (request->itemState & ODS_SELECTED) != 0;
    const bool grayed = (request->itemState & ODS_GRAYED) != 0;
    const bool checked = (request->itemState & ODS_CHECKED) != 0;
    const bool hasIcon = record->HasIcon();
    const bool selectedIcon = hasIcon && selected && !grayed;
    const bool disabledIcon = hasIcon && grayed;
    const bool newShell = IsNewShell();
    const int m = std::max(0L, ((item.bottom - item.top) - h - 4) / 2);
    const RECT frameA = {item.left + 1, item.top + m + 1, item.left + w + 3, item.top + m + h + 3};
    const RECT frameB = {item.left, item.top + m, item.left + w + 4, item.top + m + h + 4};
    const POINT iconAt = {item.left + 2, item.top + m + 2};
    const COLORREF menuColor = GetSysColor(COLOR_MENU);
    COLORREF textColor = GetSysColor(COLOR_MENUTEXT);

    // Background: the highlight leaves the icon column alone.
    if (!selected) {
        FillSolid(dc, item, menuColor);
        FrameSolid(dc, item, menuColor);
    } else {
        RECT highlight = item;
        if (hasIcon || checked)
            highlight.left += w + 5;
        FillSolid(dc, highlight, GetSysColor(COLOR_HIGHLIGHT));
        textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }

    if (hasIcon) {
        FrameSolid(dc, frameA, menuColor);
        const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
        const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
        if (disabledIcon) {
            CBitmap strip = LoadIconStrip(record->toolbarId);
            if (strip.GetSafeHandle()) {
                FrameSolid(dc, frameB, menuColor);
                DrawDisabledIcon(dc, iconAt.x, iconAt.y, w, h, strip.GetHandle(), record->imageIndex * w, 0);
            }
        } else {
            if (selectedIcon) {
                FillSolid(dc, frameA, menuColor);
                if (newShell)
                    Draw3dFrame(dc, frameB, checked ? shadow : light, checked ? light : shadow);
            } else if (checked) {
                FillSolid(dc, frameA, GetSysColor(COLOR_3DLIGHT));
                if (newShell)
                    Draw3dFrame(dc, frameB, shadow, light);
            } else {
                FillSolid(dc, frameA, menuColor);
                FrameSolid(dc, frameB, menuColor);
            }
            ImageList_Draw(record->images.Get(), record->imageIndex, dc, iconAt.x, iconAt.y, ILD_TRANSPARENT);
        }
    }

    if (checked && !hasIcon) {
        const RECT box = {item.left + 1, item.top + m + 2, item.left + w + 1, item.top + m + h + 2};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_CHECKMARKS;
        GetMenuItemInfoA(reinterpret_cast<HMENU>(request->hwndItem), request->itemID, FALSE, &info);
        DrawCheckMark(dc, box, selected, info.hbmpChecked != nullptr);
    }

    if (record->text.empty())
        return;
    CFont font = CreateMenuFont(ShownDpi());
    ScopedSelectObject selectFont(dc, font);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColor = GetTextColor(dc);
    const RECT text = {item.left + w + 9, item.top - 1, item.right, item.bottom - 1};
    if (!grayed) {
        DrawItemText(dc, record->text, text, w, textColor);
    } else if (!selected) {
        DrawItemText(dc, record->text, Offset(text, 1), w, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawItemText(dc, record->text, text, w, GetSysColor(COLOR_GRAYTEXT));
    } else {
        DrawItemText(dc, record->text, text, w, menuColor);
    }
    SetTextColor(dc, previousColor);
    SetBkMode(dc, previousMode);
}
