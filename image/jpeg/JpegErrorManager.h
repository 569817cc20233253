#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

// The library's error manager followed by our recovery point. Its
// error_exit jumps back to the setjmp of the call in progress instead of
// ending the program; the library's message is not shown.
//
// It also notes a file that ends before its last row (the library only
// warns and fills the rest with grey: an interrupted copy), and it watches
// for the worker's stop (framework/Worker.h), which the library's progress
// calls give a chance to act on every few rows, even while a progressive
// file's scans are read in: a stop leaves through the recovery point as an
// error does.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    jpeg_progress_mgr progress;
    jmp_buf recovery;
    bool endedEarly = false;
};

// Sets up errors and returns its library part, ready for a codec's err field.
jpeg_error_mgr* InstallJpegErrorManager(JpegErrorManager& errors);
// Has the library's progress calls look for a stop; after
// jpeg_create_decompress, which clears them.
void WatchForStop(jpeg_decompress_struct& decoder);
