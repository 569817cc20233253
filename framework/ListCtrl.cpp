#include "framework/ListCtrl.h"

#include <commctrl.h>

int CListCtrl::InsertColumn(int column, const std::string& heading, int format, int width)
{
    LVCOLUMNA info{};
    info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    info.fmt = format;
    info.cx = width;
    info.pszText = const_cast<char*>(heading.c_str());
    info.iSubItem = column;
    return static_cast<int>(Send(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&info)));
}

void CListCtrl::SetItemCount(int count)
{
    Send(LVM_SETITEMCOUNT, count, 0);
}

BOOL CListCtrl::DeleteAllItems()
{
    return static_cast<BOOL>(Send(LVM_DELETEALLITEMS));
}

DWORD CListCtrl::SetExtendedStyle(DWORD style)
{
    return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
}

int CListCtrl::SetHotItem(int item)
{
    return static_cast<int>(Send(LVM_SETHOTITEM, item));
}

BOOL CListCtrl::EnsureVisible(int item, BOOL partialOK)
{
    return static_cast<BOOL>(Send(LVM_ENSUREVISIBLE, item, partialOK));
}

int CListCtrl::GetNextItem(int start, UINT flags) const
{
    return static_cast<int>(Send(LVM_GETNEXTITEM, start, MAKELPARAM(flags, 0)));
}

void CListCtrl::SetRedraw(BOOL redraw)
{
    Send(WM_SETREDRAW, redraw);
    if (redraw)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}
