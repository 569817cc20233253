#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// Sizes `window` so its client area is width x height and cuts it to the
// region data, which is in client coordinates: the caption and frame fall
// outside and are never seen. The window takes over the new region and
// lets go of the previous one. Empty data leaves the window rectangular.
void ApplyWindowRegion(HWND window, int width, int height, const std::vector<uint8_t>& regionData);
