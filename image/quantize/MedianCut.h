#pragma once

#include "image/quantize/ColorHistogram.h"
#include "image/quantize/QuantizedPalette.h"

// Chooses up to maxColors (1 to 255) colours for the pixels the histogram
// counted, by median cut: the box of all colours is split in two, again and
// again, until there are maxColors boxes or no box holds more than one
// cell; each box then gives the mean colour of its pixels. This is the
// choice libjpeg's two-pass quantiser makes, to the last bit.
QuantizedPalette MedianCut(const ColorHistogram& histogram, int maxColors);
