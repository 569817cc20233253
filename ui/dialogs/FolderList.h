#pragma once
// The select-picture dialog's list of picture folders (a list box): every
// folder the pictures come from, one of them selected, whose pictures the
// file list shows. There is always at least one.

#include <windows.h>

#include <string>
#include <vector>

class FolderList {
  public:
    void Attach(HWND listBox) { m_listBox = listBox; }

    // Shows `folders` (none: `fallback` alone) with the one that holds
    // `picture` selected, else the first.
    void Fill(const std::vector<std::string>& folders, const std::string& fallback, const std::string& picture);
    const std::vector<std::string>& Folders() const { return m_folders; }
    // The selected folder, ending with a backslash.
    std::string Selected() const;
    // Takes the list box's selection after the user moved it.
    void SelectionChanged();

    // Selects `folder`, adding it at the end when it is not listed yet.
    void Add(const std::string& folder);
    // Puts `folder` in the place of the selected one (or selects it where
    // it is listed already, dropping the selected one).
    void ReplaceSelected(const std::string& folder);
    // Removes the selected folder, unless it is the last one.
    void RemoveSelected();

  private:
    int IndexOf(const std::string& folder) const;
    void Show();

    HWND m_listBox = nullptr;
    std::vector<std::string> m_folders; // without a trailing backslash (but "C:\")
    int m_selected = 0;
};
