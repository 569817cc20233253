#pragma once
// What the select-picture dialog shows of a picture: one bitmap the size of
// its preview area, with the picture in its own shape, as large as fits,
// centred on the panel colour. It is made once, smoothly (halftone, where
// the system has it, so thin strokes survive), when the picture has been
// read; painting then only copies it.

#include "framework/GdiObject.h"

#include <windows.h>

#include <memory>

class CImageObject;

// The largest rectangle of the picture's shape that fits `area`, centred in
// it; at least one pixel each way.
RECT FitPictureInto(int pictureWidth, int pictureHeight, const RECT& area);

// `picture` fitted into a `width` x `height` bitmap on `background`; the
// transparent colour of a GIF shows the background. Null when GDI gives no
// bitmap. Any thread may make one.
std::unique_ptr<CBitmap> MakePreviewFrame(const CImageObject& picture, int width, int height, COLORREF background);
