#include "ui/dialogs/FolderList.h"

#include "framework/GdiObject.h"
#include "framework/Path.h"

#include <algorithm>

namespace {

// "C:\pics\" and "C:\pics" are one folder; a drive's root keeps its
// backslash ("T:\"), as the folder browser gives it.
std::string WithoutTrailingBackslash(std::string folder)
{
    if (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

bool SameFolder(const std::string& a, const std::string& b)
{
    // Folder names differ only in case on the same folder.
    return lstrcmpiA(WithTrailingBackslash(a).c_str(), WithTrailingBackslash(b).c_str()) == 0;
}

bool Holds(const std::string& folder, const std::string& picture)
{
    const std::string prefix = WithTrailingBackslash(folder);
    return picture.size() > prefix.size() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, picture.c_str(), static_cast<int>(prefix.size()),
                          prefix.c_str(), static_cast<int>(prefix.size())) == CSTR_EQUAL;
}

} // namespace

void FolderList::Fill(const std::vector<std::string>& folders, const std::string& fallback, const std::string& picture)
{
    m_folders.clear();
    for (const std::string& folder : folders.empty() ? std::vector<std::string>{fallback} : folders)
        if (IndexOf(folder) < 0)
            m_folders.push_back(WithoutTrailingBackslash(folder));
    // The deepest folder that holds the picture: with subfolders on, one
    // listed folder may lie inside another.
    m_selected = 0;
    std::size_t longest = 0;
    for (std::size_t index = 0; index < m_folders.size(); ++index)
        if (Holds(m_folders[index], picture) && m_folders[index].size() > longest) {
            longest = m_folders[index].size();
            m_selected = static_cast<int>(index);
        }
    Show();
}

std::string FolderList::Selected() const
{
    return m_folders.empty() ? std::string() : WithTrailingBackslash(m_folders[m_selected]);
}

void FolderList::SelectionChanged()
{
    const LRESULT index = SendMessageA(m_listBox, LB_GETCURSEL, 0, 0);
    if (index >= 0 && index < static_cast<LRESULT>(m_folders.size()))
        m_selected = static_cast<int>(index);
}

void FolderList::Add(const std::string& folder)
{
    const int listed = IndexOf(folder);
    if (listed >= 0) {
        m_selected = listed;
    } else {
        m_folders.push_back(WithoutTrailingBackslash(folder));
        m_selected = static_cast<int>(m_folders.size()) - 1;
    }
    Show();
}

void FolderList::ReplaceSelected(const std::string& folder)
{
    const int listed = IndexOf(folder);
    if (m_folders.empty() || listed == m_selected) {
        Add(folder);
        return;
    }
    if (listed >= 0) {
        m_folders.erase(m_folders.begin() + m_selected);
        m_selected = listed > m_selected ? listed - 1 : listed;
    } else {
        m_folders[m_selected] = WithoutTrailingBackslash(folder);
    }
    Show();
}

void FolderList::RemoveSelected()
{
    if (m_folders.size() < 2)
        return;
    m_folders.erase(m_folders.begin() + m_selected);
    m_selected = std::min(m_selected, static_cast<int>(m_folders.size()) - 1);
    Show();
}

int FolderList::IndexOf(const std::string& folder) const
{
    for (std::size_t index = 0; index < m_folders.size(); ++index)
        if (SameFolder(m_folders[index], folder))
            return static_cast<int>(index);
    return -1;
}

void FolderList::Show()
{
    if (!m_listBox)
        return;
    SendMessageA(m_listBox, WM_SETREDRAW, FALSE, 0);
    SendMessageA(m_listBox, LB_RESETCONTENT, 0, 0);
    // Long paths scroll sideways rather than hide their ends.
    LONG widest = 0;
    {
        const WindowDc dc(m_listBox);
        const ScopedSelectObject font(dc.Get(), reinterpret_cast<HFONT>(SendMessageA(m_listBox, WM_GETFONT, 0, 0)));
        for (const std::string& folder : m_folders) {
            SendMessageA(m_listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));
            SIZE size{};
            GetTextExtentPoint32A(dc.Get(), folder.c_str(), static_cast<int>(folder.size()), &size);
            widest = std::max(widest, size.cx);
        }
    }
    SendMessageA(m_listBox, LB_SETHORIZONTALEXTENT, widest + 8, 0);
    SendMessageA(m_listBox, LB_SETCURSEL, m_selected, 0);
    SendMessageA(m_listBox, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_listBox, nullptr, TRUE);
}
