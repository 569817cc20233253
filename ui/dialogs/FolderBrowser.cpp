#include "ui/dialogs/FolderBrowser.h"

#include "framework/ComApartment.h"

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <memory>

namespace {

// An item list the shell allocated.
struct ItemListDeleter {
    void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};

// Selects the start folder once the browser is there; only then can it be told.
int CALLBACK SelectStartFolder(HWND browser, UINT msg, LPARAM, LPARAM startFolder)
{
    if (msg == BFFM_INITIALIZED)
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, startFolder);
    return 0;
}

// The item's path of any length, as the shell parses it; SHGetPathFromIDList
// gives none beyond MAX_PATH.
std::string ParsingName(const ITEMIDLIST* item)
{
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)))
        return std::string();
    STRRET name{};
    const HRESULT named = desktop->GetDisplayNameOf(item, SHGDN_FORPARSING, &name);
    desktop->Release();
    wchar_t* text = nullptr;
    if (FAILED(named) || FAILED(StrRetToStrW(&name, item, &text)))
        return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string path(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &path[0], size, nullptr, nullptr);
    CoTaskMemFree(text);
    path.resize(path.size() - 1);
    return path;
}

} // namespace

std::string BrowseForFolder(HWND owner, const std::string& title, const std::string& startFolder)
{
    const CComApartment apartment;
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    info.lpfn = SelectStartFolder;
    info.lParam = reinterpret_cast<LPARAM>(startFolder.c_str());
    const std::unique_ptr<ITEMIDLIST, ItemListDeleter> chosen(SHBrowseForFolderA(&info));
    if (!chosen)
        return std::string();
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(chosen.get(), path))
        return ParsingName(chosen.get());
    return path;
}
