#pragma once
// Toolbar resources (custom type 241): version 1, button width and height,
// a count, then that many command ids, 0 marking a separator. The bitmap of
// the same id holds the button pictures side by side.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

struct ToolbarResource {
    int buttonWidth = 0;
    int buttonHeight = 0;
    std::vector<WORD> commands; // 0 for a separator

    // The picture of a command: its position counted over the buttons
    // that are not separators; -1 when the toolbar lacks the command.
    int ImageIndexOf(UINT command) const;
};

std::optional<ToolbarResource> ParseToolbarResource(const void* data, size_t size);
// The toolbar with this id in the current resource module.
std::optional<ToolbarResource> LoadToolbarResource(int toolbarId);

// The picture index of `command` in the toolbar; `current` when the
// toolbar lacks the command or cannot be read.
int FindToolbarImage(UINT command, int toolbarId, int current);
