#pragma once
// The segments of a JPEG file we read ourselves: the camera's EXIF block
// (APP1), which says how the picture is turned, and its colour profile
// (APP2 chunks).

#include "image/colour/SrgbConversion.h"

#include <cstdio>

#include <jpeglib.h>

// Has the library keep those segments; after jpeg_create_decompress, before
// jpeg_read_header. Only the decoder that reads the header for the picture
// needs them: a second decoder of the same file skips them.
void KeepMarkersWeRead(jpeg_decompress_struct& decoder);

// After jpeg_read_header: the orientation of the file's EXIF block (1 to 8,
// image/orient/Orientation.h), 1 when it has none.
int JpegOrientation(const jpeg_decompress_struct& decoder);

// After jpeg_read_header: prepares conversion from the file's colour profile
// (its chunks joined in order) for rows laid out as layout. Nothing to
// convert when the file has no profile or a damaged one.
void PrepareProfile(jpeg_decompress_struct& decoder, PixelLayout layout, SrgbConversion& conversion);
