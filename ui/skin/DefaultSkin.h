#pragma once

#include "ui/skin/SkinDescription.h"

#include <windows.h>

#include <string>

// The built-in layout: "bg.bmp" and six buttons at their fixed places
// (scaled to the pictures' `percent`) with the tooltips of strings 57667 to
// 57672. The pictures are looked for in the description's skin folder; the
// rectangles get their size (and the window and buttons their shapes) only
// from the pictures, later.
void SetDefaultSkin(SkinDescription& skin, int percent = 100);

// What a start without a readable description file does: the default skin,
// its shapes scanned from the pictures in the skin folder (`window` lends
// its device context), the rectangles sized by the normal pictures, and the
// description file written to <programDirectory>\<folderName>.
void RebuildDefaultSkin(SkinDescription& skin, HWND window, const std::string& programDirectory,
                        const std::string& folderName, int percent = 100);
