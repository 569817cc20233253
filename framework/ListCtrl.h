#pragma once
// CListCtrl: a list view control (SysListView32) of a dialog, driven by its
// messages. A list with LVS_OWNERDATA holds no texts: it has a count and
// asks its parent for what it shows (LVN_GETDISPINFO).

#include "framework/Window.h"

#include <string>

class CListCtrl : public CWnd {
  public:
    // Appends a column; format is LVCFMT_LEFT, LVCFMT_CENTER or LVCFMT_RIGHT.
    int InsertColumn(int column, const std::string& heading, int format, int width);
    // The number of items of an owner-data list; for another list, room
    // for this many before a long run of inserts.
    void SetItemCount(int count);
    BOOL DeleteAllItems();

    // Sets the whole extended style (LVS_EX_*).
    DWORD SetExtendedStyle(DWORD style);

    int SetHotItem(int item);
    BOOL EnsureVisible(int item, BOOL partialOK);
    // The next item after `start` (-1: from the top) with the LVNI_* flags.
    int GetNextItem(int start, UINT flags) const;

    // Turns repainting off for a run of changes; on again repaints.
    void SetRedraw(BOOL redraw);

  private:
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageA(m_hWnd, msg, wp, lp); }
};
