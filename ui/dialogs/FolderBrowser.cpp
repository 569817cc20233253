#include "ui/dialogs/FolderBrowser.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>

namespace {

// The browser is a COM object of the shell and wants an apartment on the
// calling thread; one that is already there is used as it is.
class ComApartment {
  public:
    ComApartment() : m_initialised(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment()
    {
        if (m_initialised)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool m_initialised;
};

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

} // namespace

std::string BrowseForFolder(HWND owner, const std::string& title, const std::string& startFolder)
{
    const ComApartment apartment;
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
        return std::string();
    return path;
}
