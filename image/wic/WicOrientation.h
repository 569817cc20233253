#pragma once
// The EXIF orientation (1 to 8) a frame's metadata gives, where the
// system's decoder exposes it; 1 (as stored) when it gives none or an
// absurd one.

#include <wincodec.h>

int WicFrameOrientation(IWICBitmapFrameDecode* frame);
