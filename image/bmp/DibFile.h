#pragma once

#include "image/GlobalDib.h"

#include <cstddef>
#include <cstdint>
#include <string>

class FileHandle;

// Reads a BMP file, or a bare DIB without file header, into a packed DIB
// block. Empty when the file cannot be opened or is refused.
GlobalDib ReadDibFile(const std::string& fileName);

// Bytes of a DIB's colour table: biClrUsed entries, or 2^biBitCount when that
// is 0 and the depth is 8 bits or less; three bytes each in a core header,
// four otherwise. GetDIBits leaves biClrUsed 0 in the headers it fills in,
// so the table cannot be sized from biClrUsed alone.
uint32_t ColorTableBytes(const BITMAPINFOHEADER& dib);

// Writes a packed DIB as a BMP file: a 14-byte file header, then the block
// (header, colour table as held, masks, pixel bytes). 1 when everything was
// written, else 0; a file of that name stays as it was unless the new one
// was written whole (see WriteFileReplacing).
int WriteDibFile(const std::string& fileName, const BITMAPINFOHEADER* dib);

// Whether ReadDibFile would take the file: it opens, the parser accepts its
// headers, and the file is long enough for the pixels they describe. Only
// the first bytes are read.
bool CanReadDibFile(const std::string& fileName);

// Hands buffer to write in pieces: up to 32768 bytes at once; a larger buffer
// in chunks of exactly 32768 bytes while more than that remains, then the
// rest. write returns the bytes it wrote. Result: byteCount, or 0 as soon as
// a chunk comes up short.
template <typename Write> size_t WriteInChunks(Write&& write, const uint8_t* buffer, size_t byteCount)
{
    constexpr size_t kChunk = 32768;
    size_t done = 0;
    while (byteCount - done > kChunk) {
        if (write(buffer + done, kChunk) != kChunk)
            return 0;
        done += kChunk;
    }
    const size_t rest = byteCount - done;
    if (write(buffer + done, rest) != rest)
        return 0;
    return byteCount;
}

size_t WriteInChunks(FileHandle& file, const uint8_t* buffer, size_t byteCount);
