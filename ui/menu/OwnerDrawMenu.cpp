#include "ui/menu/OwnerDrawMenu.h"

#include "framework/App.h"
#include "framework/Window.h"
#include "framework/InterfaceFont.h"
#include "ui/menu/MenuTemplate.h"
#include "ui/menu/PlatformClass.h"
#include "ui/menu/SysColorBitmap.h"
#include "ui/menu/ToolbarResource.h"

#include <algorithm>

namespace {

// Menus measure their text on the main window's context, as they are
// shown for it; before there is one, on the screen's.
HWND MeasuringWindow()
{
    CWinApp* app = AfxGetApp();
    return app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
}

} // namespace

UINT COwnerDrawMenu::ShownDpi()
{
    return WindowDpi(MeasuringWindow());
}

COwnerDrawMenu::~COwnerDrawMenu()
{
    DestroyMenu();
}

bool COwnerDrawMenu::OwnsItemData(ULONG_PTR data) const
{
    return data && std::any_of(m_items.begin(), m_items.end(), [data](const std::unique_ptr<OwnerDrawItem>& item) {
               return reinterpret_cast<ULONG_PTR>(item.get()) == data;
           });
}

int COwnerDrawMenu::LoadMenu(UINT resourceId)
{
    return LoadMenu(MAKEINTRESOURCEA(LOWORD(resourceId)));
}

int COwnerDrawMenu::LoadMenu(LPCSTR resourceName)
{
    // A menu loaded before is let go first: one load, one tree.
    DestroyMenu();
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = FindResourceA(module, resourceName, MAKEINTRESOURCEA(4) /* RT_MENU */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return 0;
    MenuTemplateReader reader(data, SizeofResource(module, found));
    if (!reader.HeaderValid())
        return 0;
    HMENU menu = ::CreateMenu();
    if (!menu)
        return 0;
    Attach(menu);

    // One entry per open level of the template; the end mark says that the
    // level's last item has been read.
    struct Level {
        COwnerDrawMenu* menu;
        bool ended;
    };
    std::vector<Level> stack{{this, false}};
    while (!stack.empty()) {
        MenuTemplateItem item;
        if (!reader.Next(item)) {
            DestroyMenu();
            return 0;
        }
        const UINT flags = item.option & ~MF_END;
        if (item.IsPopup()) {
            if (item.EndsLevel())
                stack.back().ended = true;
            auto popup = std::make_unique<COwnerDrawMenu>();
            HMENU handle = ::CreatePopupMenu();
            if (handle)
                popup->Attach(handle);
            if (!handle ||
                !stack.back().menu->AppendOwnerDrawItem(item.text, flags, reinterpret_cast<UINT_PTR>(handle), -1)) {
                popup->DestroyMenu(); // not in the tree, so nothing else frees it
                DestroyMenu();
                return 0;
            }
            stack.push_back({popup.get(), false});
            m_submenus.push_back(std::move(popup));
            continue;
        }
        stack.back().menu->AppendOwnerDrawItem(item.text, flags, item.command, -1);
        if (item.EndsLevel())
            stack.back().ended = true;
        while (!stack.empty() && stack.back().ended) {
            AlignAcceleratorText(*stack.back().menu);
            stack.pop_back();
        }
    }
    RestoreTopLevelItems();
    return 1;
}

void COwnerDrawMenu::RestoreTopLevelItems()
{
    const int count = GetMenuItemCount(m_hMenu);
    for (int position = 0; position < count; ++position) {
        OwnerDrawItem* record = ItemAt(position);
        if (!record)
            continue;
        HMENU popup = GetSubMenu(m_hMenu, position);
        const UINT flags = popup ? MF_BYPOSITION | MF_POPUP : MF_BYPOSITION;
        const UINT_PTR command = popup ? reinterpret_cast<UINT_PTR>(popup) : record->command;
        ModifyMenuW(m_hMenu, position, flags, command, record->text.c_str());
        record->flags = flags;
    }
}

BOOL COwnerDrawMenu::DestroyMenu()
{
    ReleaseContents();
    if (!m_hMenu)
        return FALSE;
    return CMenu::DestroyMenu();
}

void COwnerDrawMenu::ReleaseContents()
{
    // The pop-up handles belong to the items that open them: destroying
    // this menu destroys them too, so their objects only let go.
    while (!m_submenus.empty()) {
        m_submenus.back()->Detach();
        m_submenus.pop_back();
    }
    m_items.clear();
}

int COwnerDrawMenu::LoadToolbarIcons(int toolbarId)
{
    const std::optional<ToolbarResource> toolbar = LoadToolbarResource(toolbarId);
    if (!toolbar)
        return 0;
    for (WORD command : toolbar->commands) {
        if (command != 0 && GetMenuState(m_hMenu, command, MF_BYCOMMAND) != static_cast<UINT>(-1))
            SetItemIcon(nullptr, command, toolbarId);
    }
    return 1;
}

void COwnerDrawMenu::TakeToolbarIcon(OwnerDrawItem& record, UINT command, int toolbarId)
{
    record.toolbarId = toolbarId;
    record.imageIndex = 0;
    const int image = FindToolbarImage(command, toolbarId, 0);
    if (image > 0)
        record.imageIndex = image;
    record.images = ImageList(ImageList_Create(m_iconWidth, m_iconHeight, ILC_MASK | ILC_COLORDDB, 1, 1));
    CBitmap strip = LoadIconStrip(toolbarId);
    if (record.images && strip.GetSafeHandle())
        ImageList_AddMasked(record.images.Get(), strip.GetHandle(), GetSysColor(COLOR_BTNFACE));
}

CBitmap COwnerDrawMenu::LoadIconStrip(int toolbarId) const
{
    CBitmap strip = LoadSysColorBitmap(toolbarId);
    BITMAP size = {};
    if (!strip.GetSafeHandle() || (m_iconWidth == kIconWidth && m_iconHeight == kIconHeight) ||
        !GetObjectA(strip.GetHandle(), sizeof size, &size))
        return strip;
    const int cells = size.bmWidth / kIconWidth;
    WindowDc screen(nullptr);
    CBitmap grown(CreateCompatibleBitmap(screen.Get(), cells * m_iconWidth, m_iconHeight));
    OwnedDc from(CreateCompatibleDC(screen.Get()));
    OwnedDc to(CreateCompatibleDC(screen.Get()));
    if (!grown.GetSafeHandle() || !from.Get() || !to.Get())
        return strip;
    {
        ScopedSelectObject selectFrom(from.Get(), strip);
        ScopedSelectObject selectTo(to.Get(), grown);
        SetStretchBltMode(to.Get(), COLORONCOLOR);
        StretchBlt(to.Get(), 0, 0, cells * m_iconWidth, m_iconHeight, from.Get(), 0, 0, cells * kIconWidth, kIconHeight,
                   SRCCOPY);
    }
    return grown;
}

void COwnerDrawMenu::SetItemIcon(const wchar_t* text, UINT command, int toolbarId)
{
    const auto [menu, position] = FindItemByCommand(command);
    OwnerDrawItem* record = menu ? menu->ItemAt(position) : nullptr;
    if (!record) {
        m_items.push_back(std::make_unique<OwnerDrawItem>());
        record = m_items.back().get();
    }
    if (text)
        record->text = text;
    TakeToolbarIcon(*record, command, toolbarId);
    record->flags = MF_OWNERDRAW;
    record->command = command;
    ModifyMenuW(m_hMenu, command, MF_BYCOMMAND | MF_OWNERDRAW, command, reinterpret_cast<LPCWSTR>(record));
}

BOOL COwnerDrawMenu::AppendOwnerDrawItem(const std::wstring& text, UINT flags, UINT_PTR command, int toolbarId)
{
    auto record = std::make_unique<OwnerDrawItem>();
    record->text = text;
    record->toolbarId = toolbarId;
    record->imageIndex = -1;
    if (command == 0)
        flags = MF_SEPARATOR | MF_OWNERDRAW;
    else
        flags |= MF_OWNERDRAW;
    if (toolbarId >= 0)
        TakeToolbarIcon(*record, static_cast<UINT>(command), toolbarId);
    record->flags = flags;
    record->command = command;
    const auto* data = reinterpret_cast<LPCWSTR>(record.get());
    m_items.push_back(std::move(record));
    return AppendMenuW(m_hMenu, flags, command, data);
}

std::pair<COwnerDrawMenu*, int> COwnerDrawMenu::FindItemByCommand(UINT command)
{
    const int count = GetMenuItemCount(m_hMenu);
    for (int position = 0; position < count; ++position) {
        if (HMENU popup = GetSubMenu(m_hMenu, position)) {
            auto* object = dynamic_cast<COwnerDrawMenu*>(CMenu::FromHandle(popup));
            if (!object)
                continue;
            const auto found = object->FindItemByCommand(command);
            if (found.first)
                return found;
            continue;
        }
        if (GetMenuItemID(m_hMenu, position) == command)
            return {this, position};
    }
    return {nullptr, -1};
}

OwnerDrawItem* COwnerDrawMenu::ItemAt(int position) const
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (!m_hMenu || !GetMenuItemInfoW(m_hMenu, position, TRUE, &info) || !OwnsItemData(info.dwItemData))
        return nullptr;
    return reinterpret_cast<OwnerDrawItem*>(info.dwItemData);
}

void COwnerDrawMenu::AlignAcceleratorText(COwnerDrawMenu& menu)
{
    CFont font = CreateMenuFont(ShownDpi());
    WindowDc dc(MeasuringWindow());
    ScopedSelectObject selectFont(dc.Get(), font);
    const auto widthOf = [&dc](const std::wstring& text) {
        SIZE size = {};
        GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    };

    LONG widest = 0;
    for (const auto& record : menu.m_items)
        widest = std::max(widest, widthOf(record->text.substr(0, record->text.find(L'\t')) + L" "));

    for (const auto& record : menu.m_items) {
        const size_t tab = record->text.find(L'\t');
        if (tab == std::wstring::npos)
            continue;
        std::wstring label = record->text.substr(0, tab);
        for (LONG width = widthOf(label); width < widest;) {
            label += L' ';
            const LONG wider = widthOf(label);
            if (wider <= width)
                break; // a font without a space width would never get there
            width = wider;
        }
        record->text = label + record->text.substr(tab);
    }
}

void COwnerDrawMenu::MeasureItem(MEASUREITEMSTRUCT* request)
{
    if (!OwnsItemData(request->itemData))
        return;
    const auto* record = reinterpret_cast<const OwnerDrawItem*>(request->itemData);
    if (record->IsSeparator()) {
        request->itemWidth = 0;
        request->itemHeight = GetSystemMetrics(SM_CYMENU) / 2;
        return;
    }
    WindowDc dc(MeasuringWindow());
    CFont font;
    if (IsNewShell())
        font = CreateMenuFont(ShownDpi());
    ScopedSelectObject selectFont(dc.Get(), font);
    SIZE size = {};
    GetTextExtentPoint32W(dc.Get(), record->text.c_str(), static_cast<int>(record->text.size()), &size);
    request->itemWidth = size.cx + 2 * m_iconWidth + 1;
    request->itemHeight = std::max(GetSystemMetrics(SM_CYMENU), m_iconHeight + 4);
}
