#include "framework/Menu.h"

#include "framework/Window.h"

#include <unordered_map>

namespace {

std::unordered_map<HMENU, CMenu*>& MenuMap()
{
    static std::unordered_map<HMENU, CMenu*> map;
    return map;
}

// The pop-up the system opened last: its items are measured next.
HMENU lastPopup = nullptr;

} // namespace

CMenu::~CMenu()
{
    // A CMenu owns its menu, as the framework's own menus do.
    if (m_hMenu)
        ::DestroyMenu(Detach());
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    const auto found = MenuMap().find(menu);
    return found == MenuMap().end() ? nullptr : found->second;
}

BOOL CMenu::Attach(HMENU menu)
{
    if (!menu || m_hMenu || FromHandle(menu))
        return FALSE;
    m_hMenu = menu;
    MenuMap()[menu] = this;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU menu = m_hMenu;
    if (menu)
        MenuMap().erase(menu);
    if (lastPopup == menu)
        lastPopup = nullptr;
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) const
{
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : nullptr, nullptr);
}

void CMenu::MeasureItem(MEASUREITEMSTRUCT*) {}

void CMenu::DrawItem(DRAWITEMSTRUCT*) {}

bool CMenu::OwnsItemData(ULONG_PTR) const
{
    return false;
}

void CMenu::NotePopupShown(HMENU popup)
{
    lastPopup = popup;
}

bool CMenu::RouteMeasureItem(MEASUREITEMSTRUCT* item)
{
    CMenu* shown = FromHandle(lastPopup);
    CMenu* owner = shown && shown->OwnsItemData(item->itemData) ? shown : nullptr;
    for (auto it = MenuMap().begin(); !owner && it != MenuMap().end(); ++it) {
        if (it->second->OwnsItemData(item->itemData))
            owner = it->second;
    }
    // A plain CMenu keeps no records: the pop-up being opened answers.
    if (!owner)
        owner = shown;
    if (!owner)
        return false;
    owner->MeasureItem(item);
    return true;
}

bool CMenu::RouteDrawItem(DRAWITEMSTRUCT* item)
{
    CMenu* owner = FromHandle(reinterpret_cast<HMENU>(item->hwndItem));
    if (!owner)
        return false;
    owner->DrawItem(item);
    return true;
}
