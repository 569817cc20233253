#include "framework/ListCtrl.h"

#include <commctrl.h>

#include <vector>

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

int CListCtrl::InsertItem(int item, const std::string& text)
{
    LVITEMA info{};
    info.mask = LVIF_TEXT;
    info.iItem = item;
    info.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CListCtrl::SetItemText(int item, int subItem, const std::string& text)
{
    LVITEMA info{};
    info.iSubItem = subItem;
    info.pszText = const_cast<char*>(text.c_str());
    return static_cast<BOOL>(Send(LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&info)));
}

std::string CListCtrl::GetItemText(int item, int subItem) const
{
    // The control copies at most the buffer's size; a text that fills it
    // may have been cut, so ask again with more room.
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        LVITEMA info{};
        info.iSubItem = subItem;
        info.pszText = buffer.data();
        info.cchTextMax = static_cast<int>(buffer.size());
        const int length = static_cast<int>(Send(LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&info)));
        if (length < static_cast<int>(buffer.size()) - 1)
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

int CListCtrl::GetItemCount() const
{
    return static_cast<int>(Send(LVM_GETITEMCOUNT));
}

BOOL CListCtrl::DeleteAllItems()
{
    return static_cast<BOOL>(Send(LVM_DELETEALLITEMS));
}

void CListCtrl::SetItemCountHint(int count)
{
    Send(LVM_SETITEMCOUNT, count, 0);
}

DWORD CListCtrl::SetExtendedStyle(DWORD style)
{
    return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
}

DWORD CListCtrl::GetExtendedStyle() const
{
    return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

int CListCtrl::SetHotItem(int item)
{
    return static_cast<int>(Send(LVM_SETHOTITEM, item));
}

int CListCtrl::GetHotItem() const
{
    return static_cast<int>(Send(LVM_GETHOTITEM));
}

BOOL CListCtrl::EnsureVisible(int item, BOOL partialOK)
{
    return static_cast<BOOL>(Send(LVM_ENSUREVISIBLE, item, partialOK));
}

int CListCtrl::GetNextItem(int start, UINT flags) const
{
    return static_cast<int>(Send(LVM_GETNEXTITEM, start, MAKELPARAM(flags, 0)));
}

UINT CListCtrl::GetItemState(int item, UINT mask) const
{
    return static_cast<UINT>(Send(LVM_GETITEMSTATE, item, mask));
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    LVITEMA info{};
    info.stateMask = mask;
    info.state = state;
    return static_cast<BOOL>(Send(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&info)));
}

void CListCtrl::SetRedraw(BOOL redraw)
{
    Send(WM_SETREDRAW, redraw);
    if (redraw)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}
