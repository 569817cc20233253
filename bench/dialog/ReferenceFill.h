#pragma once
// The bare way to fill a list view with a folder's pictures: two plain
// FindFirstFile passes over the four patterns, the column texts made with
// the same system calls, and the items inserted with redraw off. The
// select-picture dialog's fill is timed against this.

#include <windows.h>

#include <string>

// Fills `list` (a report-view list view with three columns) with the
// pictures of `folder` (ending with a backslash), the last match on top.
// Returns the number of items.
int ReferenceFill(HWND list, const std::string& folder);
