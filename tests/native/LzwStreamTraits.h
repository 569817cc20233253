#pragma once

// What an encoder did in one image's code stream, so the conformance test can
// show that its pictures exercise the decoder's harder paths.

#include <cstddef>
#include <cstdint>

struct LzwStreamTraits {
    int minCodeSize = 0;
    bool leadingClear = false;  // the first code is a clear code
    bool filledTable = false;   // the table reached 4096 entries
    bool deferredClear = false; // codes came while the table was full
    bool beyondTable = false;   // a code past the next free one: a broken stream
    int clears = 0;
};

// data: the minimum code size byte followed by the sub-blocks.
LzwStreamTraits ScanLzwStream(const uint8_t* data, size_t size);
