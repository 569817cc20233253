#pragma once

#include <cstdint>

// Little-endian stores for the headers the library writes (BMP file and
// info headers); reading goes through ByteReader.
inline void StoreLe16(uint8_t* out, uint32_t value)
{
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

inline void StoreLe32(uint8_t* out, uint32_t value)
{
    StoreLe16(out, value & 0xFFFF);
    StoreLe16(out + 2, value >> 16);
}
