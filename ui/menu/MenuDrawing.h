#pragma once
// The drawing steps of owner-drawn menu items that stand on their own:
// flat fills and frames, three-dimensional frames, the check mark, and the
// embossed picture of a disabled item's icon. Each call makes the brushes
// and bitmaps it needs and frees them before it returns.

#include <windows.h>

void FillSolid(HDC dc, const RECT& rect, COLORREF color);
// A one-pixel frame along the inside of `rect`.
void FrameSolid(HDC dc, const RECT& rect, COLORREF color);
// A one-pixel frame, `topLeft` along the top and left edges and
// `bottomRight` along the bottom and right ones.
void Draw3dFrame(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight);

// The check mark of a checked item without an icon in box `box`: a
// 21-pixel tick, or a dot when the item has a radio-style bitmap.
void DrawCheckMark(HDC dc, const RECT& box, bool selected, bool dot);

// The embossed picture of the `width` x `height` cell at (sourceX, sourceY)
// of `bitmap`, drawn at (x, y): the icon's shape in the shadow colour with
// a highlight copy one pixel down and right.
void DrawDisabledIcon(HDC target, int x, int y, int width, int height, HBITMAP bitmap, int sourceX, int sourceY);
