#pragma once
// One item of an owner-drawn menu: what the menu draws for it. The system
// menu item carries a pointer to its record as item data.

#include "ui/menu/ImageList.h"

#include <windows.h>

#include <string>

struct OwnerDrawItem {
    std::wstring text;    // mnemonic "&" and a tab-separated shortcut included
    int imageIndex = -1;  // picture in the image list; -1 without one
    int toolbarId = -1;   // toolbar whose bitmap supplies the icon; -1 without an icon
    UINT flags = 0;       // menu item flags as last given to the system
    UINT_PTR command = 0; // command id, or the pop-up's menu handle
    ImageList images;     // the toolbar's whole picture strip, 16 x 15 cells

    bool HasIcon() const { return toolbarId != -1; }
    bool IsSeparator() const { return (flags & MF_SEPARATOR) != 0; }
};
