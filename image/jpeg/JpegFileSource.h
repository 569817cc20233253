#pragma once
// libjpeg's data source over a picture file that several decoders of one
// picture share (image/io/SharedReadFile.h), each at a place of its own:
// the file is opened once and streamed, never held in memory whole. A file
// that ends early ends the data as libjpeg's own sources do (a warning and
// an end marker), so a cut file is noticed.

#include "image/io/SharedReadFile.h"

#include <cstdio>

#include <jpeglib.h>

// Sets `decoder` (created) to read `file` from its start. The source lives
// in the decoder's own memory and goes with it; `file` must outlive it.
void UseSharedFileSource(jpeg_decompress_struct& decoder, const SharedReadFile& file);
