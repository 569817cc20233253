#pragma once
// CListCtrl: a list view control (SysListView32) of a dialog, driven by its
// messages. Item texts are ANSI strings.

#include "framework/Window.h"

#include <string>

class CListCtrl : public CWnd {
  public:
    // Appends a column; format is LVCFMT_LEFT, LVCFMT_CENTER or LVCFMT_RIGHT.
    int InsertColumn(int column, const std::string& heading, int format, int width);
    // The new item's index, or -1.
    int InsertItem(int item, const std::string& text);
    BOOL SetItemText(int item, int subItem, const std::string& text);
    std::string GetItemText(int item, int subItem) const;
    int GetItemCount() const;
    BOOL DeleteAllItems();
    // Makes room for this many items before a long run of inserts.
    void SetItemCountHint(int count);

    DWORD SetExtendedStyle(DWORD style);
    DWORD GetExtendedStyle() const;

    int SetHotItem(int item);
    int GetHotItem() const;
    BOOL EnsureVisible(int item, BOOL partialOK);
    // The next item after `start` (-1: from the top) with the LVNI_* flags.
    int GetNextItem(int start, UINT flags) const;
    UINT GetItemState(int item, UINT mask) const;
    BOOL SetItemState(int item, UINT state, UINT mask);

    // Turns repainting off for a long run of changes; on again repaints.
    void SetRedraw(BOOL redraw);

  private:
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageA(m_hWnd, msg, wp, lp); }
};
