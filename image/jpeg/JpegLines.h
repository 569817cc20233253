#pragma once

#include "image/ImageImpl.h"
#include "image/jpeg/JpegColorRows.h"

#include <cstdio>

#include <jpeglib.h>

// The decoding steps the full reader and the preview share. Those that call
// the library run between a setjmp and the library's calls, so they hold
// no locals with destructors.

// Grey files keep their 256 levels and are read straight into the picture.
bool IsGreyJpeg(const jpeg_decompress_struct& decoder);

// Asks the library for the rows our quantiser takes: red, green, blue, or
// for ink files cyan, magenta, yellow, black, which we turn into colours
// ourselves (the library does not). Call before jpeg_start_decompress.
void RequestOutput(jpeg_decompress_struct& decoder);

// For a grey file, after jpeg_start_decompress and with the picture made
// with 8 bits at the output size turned upright by orientation (1 to 8,
// image/orient/Orientation.h): gives it the grey palette, reads every line
// into its upright place and finishes the decompression.
void ReadGreyLines(jpeg_decompress_struct& decoder, CImageImpl& picture, int orientation);

// For a colour file, once its rows are decoded and the picture is made at
// their size with 8 bits: reduces them to at most 128 colours, as
// libjpeg's two-pass quantiser with Floyd-Steinberg dithering would, and
// writes them in. False when the picture is not such a picture, or the
// worker was told to stop part way (framework/Worker.h).
bool QuantizeInto(const JpegColorRows& rows, CImageImpl& picture);
