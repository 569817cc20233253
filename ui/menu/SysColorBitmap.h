#pragma once
// A 16-colour bitmap resource drawn in the user's colours: black, dark
// grey, light grey and white of the picture become the button text,
// shadow, face and highlight colours, as the classic toolbar pictures do.

#include "framework/GdiObject.h"

// A screen-compatible bitmap of the resource with the colours mapped; an
// empty owner when the resource is missing or not a palette bitmap.
CBitmap LoadSysColorBitmap(int bitmapId);
