#pragma once
// Shapes from pictures: the pixels of a picture that differ from its
// top-left pixel make the region of a window or a skin button.

#include "framework/GdiObject.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Region data of the pixels of a device bitmap (not selected into any
// device context) that differ from its top-left pixel, compared as read
// back through `dc`. Empty when the pixels cannot be read.
std::vector<uint8_t> OpaqueRegionData(HDC dc, HBITMAP bitmap, int width, int height);

// Loads the picture at `path` and writes its size, and the region data of
// its opaque pixels, to the outputs. A path without an extension shows
// "File name can not be NULL." and changes nothing; an extension that is no
// picture type changes nothing silently. A picture that does not load sets
// width and height (0) but leaves the region data as it was.
void BuildRegionFromBitmap(HWND window, const std::string& path, int& width, int& height,
                           std::vector<uint8_t>& regionData);

// Region data of the same shape `numerator / denominator` times as large.
// Each rectangle's edges are scaled, so rectangles that touched still touch
// and no gap opens between them; those that shrink to nothing are dropped.
std::vector<uint8_t> ScaleRegionData(const std::vector<uint8_t>& regionData, int numerator, int denominator);

// A region made from region data; no region (a null handle) for an empty
// block or data GDI refuses.
CRgn RegionFromData(const std::vector<uint8_t>& regionData);
