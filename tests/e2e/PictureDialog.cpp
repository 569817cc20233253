#include "tests/e2e/PictureDialog.h"

#include "resources/resource.h"
#include "tests/support/RealInput.h"
#include "tests/support/RemoteMemory.h"
#include "tests/support/Tessaly.h"
#include "tests/support/WindowHelpers.h"

#include <commctrl.h>
#include <shlobj.h>

namespace e2e {

using namespace testing_support;

namespace {

// A visible dialog owned by `owner`: the select-picture dialog over the
// main window, the folder browser over the select-picture dialog.
HWND WaitForOwnedDialog(HWND owner)
{
    HWND found = nullptr;
    PumpUntil([&] { return (found = FindOwnedDialog(owner)) != nullptr; }, kProgramDeadline);
    return found;
}

LRESULT Send(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    return SendWithin(window, msg, wp, lp, kProgramDeadline);
}

HWND List(HWND dialog)
{
    return GetDlgItem(dialog, IDC_FILE_LIST);
}

std::string ListedText(HWND list, int item)
{
    constexpr std::size_t kTextSize = MAX_PATH;
    RemoteMemory memory(list, sizeof(LVITEMA) + kTextSize);
    LVITEMA request = {};
    request.iSubItem = 0;
    request.pszText = reinterpret_cast<char*>(memory.Address(sizeof request));
    request.cchTextMax = kTextSize;
    char text[kTextSize] = {};
    if (!memory.Write(&request, sizeof request) || Send(list, LVM_GETITEMTEXTA, item, memory.Address()) <= 0 ||
        !memory.Read(text, kTextSize - 1, sizeof request))
        return std::string();
    return text;
}

// The text of the folder the browser's tree has selected.
std::string SelectedFolderName(HWND browser)
{
    HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
    const LPARAM selected = Send(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    if (!tree || !selected)
        return std::string();
    constexpr std::size_t kTextSize = MAX_PATH;
    RemoteMemory memory(tree, sizeof(TVITEMA) + kTextSize);
    TVITEMA request = {};
    request.mask = TVIF_TEXT;
    request.hItem = reinterpret_cast<HTREEITEM>(selected);
    request.pszText = reinterpret_cast<char*>(memory.Address(sizeof request));
    request.cchTextMax = kTextSize;
    char text[kTextSize] = {};
    if (!memory.Write(&request, sizeof request) || !Send(tree, TVM_GETITEMA, 0, memory.Address()) ||
        !memory.Read(text, kTextSize - 1, sizeof request))
        return std::string();
    return text;
}

} // namespace

HWND WaitForPictureDialog(HWND owner)
{
    HWND dialog = WaitForOwnedDialog(owner);
    return dialog && List(dialog) ? dialog : nullptr;
}

std::string ChooseFolder(HWND dialog, const std::string& folder, int expectedCount)
{
    if (!ClickWindow(GetDlgItem(dialog, IDC_CHOOSE_FOLDER)))
        return "the folder button cannot be clicked";
    HWND browser = WaitForOwnedDialog(dialog);
    if (!browser)
        return "no folder browser came";
    // Going down the folder tree click by click says nothing about this
    // program: the browser's own message selects the folder by its path.
    RemoteMemory path(browser, folder.size() + 1);
    if (!path.Write(folder.c_str(), folder.size() + 1))
        return "the path cannot be handed to the browser";
    // The browser may still be filling its tree when it shows: ask until
    // the tree shows the folder selected.
    const std::string name = folder.substr(folder.rfind('\\') + 1);
    if (!PumpUntil(
            [&] {
                Send(browser, BFFM_SETSELECTIONA, TRUE, path.Address());
                return SelectedFolderName(browser) == name;
            },
            kProgramDeadline))
        return "the browser selects " + SelectedFolderName(browser) + " instead of " + name;
    if (!ClickWindow(GetDlgItem(browser, IDOK)))
        return "the browser's OK cannot be clicked";
    if (!PumpUntil([&] { return !IsWindow(browser); }, kProgramDeadline))
        return "the browser stays open";
    if (!PumpUntil([&] { return Send(List(dialog), LVM_GETITEMCOUNT, 0, 0) == expectedCount; }, kProgramDeadline))
        return "the list shows " + std::to_string(Send(List(dialog), LVM_GETITEMCOUNT, 0, 0)) + " files";
    return std::string();
}

std::vector<std::string> ListedFiles(HWND dialog)
{
    std::vector<std::string> names;
    const int count = static_cast<int>(Send(List(dialog), LVM_GETITEMCOUNT, 0, 0));
    for (int item = 0; item < count; ++item)
        names.push_back(ListedText(List(dialog), item));
    return names;
}

bool ClickListedFile(HWND dialog, int index)
{
    HWND list = List(dialog);
    RemoteMemory memory(list, sizeof(RECT));
    RECT rect = {LVIR_LABEL, 0, 0, 0};
    if (!memory.Write(&rect, sizeof rect) || !Send(list, LVM_GETITEMRECT, index, memory.Address()) ||
        !memory.Read(&rect, sizeof rect))
        return false;
    POINT middle = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(list, &middle);
    return ClickAt(middle);
}

} // namespace e2e
