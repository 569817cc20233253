#pragma once

#include "image/ImageImpl.h"

#include <cstdio>

#include <jpeglib.h>

// The decoding steps the full reader and the preview share. Both run between
// a setjmp and the library's calls, so they hold no locals with destructors.

// Asks the library for our pictures' form: grey files keep their 256 levels,
// colour files are quantised to at most 128 colours. Call before
// jpeg_start_decompress.
void RequestPalettedOutput(jpeg_decompress_struct& decoder);

// After jpeg_start_decompress, with the picture made at the output size and
// 8 bits a component: gives it the grey or quantised palette, reads every
// line into it and finishes the decompression.
void ReadOutputLines(jpeg_decompress_struct& decoder, CImageImpl& picture);
