#pragma once
// The pictures the select-picture dialog lists: name, type and date of
// each, in the list's order. The list holds no texts of its own
// (LVS_OWNERDATA) and asks here; it shows the folder's search backwards,
// the last GIF at the top and the first BMP at the bottom. With subfolders,
// the names are relative to the folder ("2024\06\a.jpg"), in the order
// the wallpaper walks them, again from the bottom.

#include <windows.h>

#include <string>
#include <vector>

class ListedPictures {
  public:
    // Reads the pictures of `folder` (ending in a backslash) in two passes,
    // count then fill: files that appear between the two find no room and
    // stay out.
    void Read(const std::string& folder);
    // The pictures of `folder` and of every folder below it.
    void ReadTree(const std::string& folder);
    void Clear();
    int Count() const { return static_cast<int>(m_entries.size()); }

    // The text at this item and column (name, type, date); empty beyond
    // the list.
    const std::string& Text(int item, int column) const;
    // The list's search for typed text (LVFINDINFO's flags): the first item
    // from `start` on, and from the top again with LVFI_WRAP; -1 for none.
    int Find(const std::string& text, UINT flags, int start) const;
    // The item named exactly `name` (case-sensitive), -1 for none.
    int IndexOf(const std::string& name) const;

  private:
    struct Entry {
        std::string name;
        std::string type;
        std::string date;
    };
    // The date of a picture of the tree, read when the list first shows it:
    // the walk gives none, and asking each of many thousand files would
    // keep the dialog from opening at once.
    const std::string& TreeDate(std::size_t index) const;

    // In the search's order: the list's last item first. A tree's dates
    // are filled in as the list shows them.
    mutable std::vector<Entry> m_entries;
    mutable std::vector<bool> m_dated;
    std::string m_folder; // what the names of a tree are relative to
};
