#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

// The library's error manager followed by our recovery point. Its
// error_exit jumps back to the setjmp of the call in progress instead of
// ending the program; the library's message is not shown.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    jmp_buf recovery;
};

// Sets up errors and returns its library part, ready for a codec's err field.
jpeg_error_mgr* InstallJpegErrorManager(JpegErrorManager& errors);
