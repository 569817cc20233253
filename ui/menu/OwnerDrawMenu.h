#pragma once
// COwnerDrawMenu: a menu that the program draws itself. It loads a menu
// resource into a tree of its own objects, turns every item inside the
// pop-ups into an owner-drawn item with a record (text and icon), answers
// the system's measure and draw requests for them, and frees everything
// again. Icons come from a toolbar resource: a 16 x 15 column beside each
// item, raised under the mouse, embossed when the item is disabled.
//
// Each use is short: load, add the icons, track the pop-up, destroy.

#include "framework/Menu.h"
#include "framework/Dpi.h"
#include "ui/menu/OwnerDrawItem.h"

#include <memory>
#include <utility>
#include <vector>

class COwnerDrawMenu : public CMenu {
  public:
    COwnerDrawMenu() = default;
    ~COwnerDrawMenu() override;

    void MeasureItem(MEASUREITEMSTRUCT* request) override;
    void DrawItem(DRAWITEMSTRUCT* request) override;
    bool OwnsItemData(ULONG_PTR data) const override;

    // Loads a menu template of the current resource module; 1 on success,
    // 0 when it is missing or unreadable (nothing stays attached then).
    virtual int LoadMenu(UINT resourceId);
    virtual int LoadMenu(LPCSTR resourceName);
    // Frees the submenu objects, the records and the system menu.
    BOOL DestroyMenu() override;

    // Gives every command of the toolbar that the menu has its icon;
    // 0 when the toolbar resource cannot be read.
    int LoadToolbarIcons(int toolbarId);
    // Gives the item with this command (searched through the whole tree) a
    // toolbar icon and, when `text` is not null, a new text. The item's
    // state (grayed, checked) is cleared: callers set it afterwards.
    void SetItemIcon(const wchar_t* text, UINT command, int toolbarId);
    // Appends an owner-drawn item; command 0 makes a separator, a toolbar id
    // of 0 or more gives it that toolbar's icon for the command.
    BOOL AppendOwnerDrawItem(const std::wstring& text, UINT flags, UINT_PTR command, int toolbarId);
    // The menu object and position of the item with this command; a null
    // object and -1 when the tree has none.
    std::pair<COwnerDrawMenu*, int> FindItemByCommand(UINT command);

    // Pads the labels of the items that have a shortcut, so every item's
    // measured width reflects the widest label.
    static void AlignAcceleratorText(COwnerDrawMenu& menu);

    // The record at a position of this menu, null for none of ours.
    OwnerDrawItem* ItemAt(int position) const;
    const std::vector<std::unique_ptr<OwnerDrawItem>>& Items() const { return m_items; }
    const std::vector<std::unique_ptr<COwnerDrawMenu>>& Submenus() const { return m_submenus; }

    // The DPI of the monitor the menus are shown on: the main window's.
    static UINT ShownDpi();

    static constexpr int kIconWidth = 16;
    static constexpr int kIconHeight = 15;

  private:
    void TakeToolbarIcon(OwnerDrawItem& record, UINT command, int toolbarId);
    // The toolbar's pictures in the user's colours, each grown to the icon
    // size of the DPI; pixels are repeated, not blended, so the pictures'
    // face colour stays exact for the mask.
    CBitmap LoadIconStrip(int toolbarId) const;
    // The top level goes back to plain text items, as a menu bar has them.
    void RestoreTopLevelItems();
    void ReleaseContents();

    std::vector<std::unique_ptr<OwnerDrawItem>> m_items;
    // On the loaded object: every pop-up of the tree, not only its children.
    std::vector<std::unique_ptr<COwnerDrawMenu>> m_submenus;
    // The menu's text and heights follow the DPI it is shown at; so do its icons.
    int m_iconWidth = ScaleForDpi(kIconWidth, ShownDpi());
    int m_iconHeight = ScaleForDpi(kIconHeight, ShownDpi());
};
