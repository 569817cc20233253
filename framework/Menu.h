#pragma once
// CMenu: an object that owns a menu handle. Owner-drawn menu items ask their
// owner window to measure and draw them (WM_MEASUREITEM / WM_DRAWITEM with
// wParam 0); the window layer hands those requests to the CMenu attached to
// the menu that holds the item.

#include "framework/GdiObject.h"

class CWnd;

class CMenu : public CObject {
  public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // The object attached to a menu handle, or null.
    static CMenu* FromHandle(HMENU menu);

    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    // Takes ownership of a menu; fails for null or when this holds one.
    BOOL Attach(HMENU menu);
    // Gives the menu up without destroying it.
    HMENU Detach();
    // Destroys the menu (with its pop-ups) and forgets it.
    virtual BOOL DestroyMenu();
    HMENU GetSafeHmenu() const { return m_hMenu; }

    // Shows the menu as a pop-up at screen point (x, y), with `owner`
    // receiving its messages. With TPM_RETURNCMD the chosen command comes
    // back instead of a WM_COMMAND.
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) const;

    // Owner drawing of this menu's items.
    virtual void MeasureItem(MEASUREITEMSTRUCT* item);
    virtual void DrawItem(DRAWITEMSTRUCT* item);
    // Whether an item's data value is one of this object's item records.
    // Measure requests carry no menu handle, so this decides who answers.
    virtual bool OwnsItemData(ULONG_PTR data) const;

    // The window layer's side of the routing.
    static void NotePopupShown(HMENU popup);
    static bool RouteMeasureItem(MEASUREITEMSTRUCT* item);
    static bool RouteDrawItem(DRAWITEMSTRUCT* item);

    HMENU m_hMenu = nullptr;
};
