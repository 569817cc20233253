#pragma once

#include <array>
#include <cstdint>

// The colours a picture is reduced to, at most 255 (the inverse colour map
// keeps an index plus one in a byte).
struct QuantizedPalette {
    int count = 0;
    std::array<uint8_t, 256> red{};
    std::array<uint8_t, 256> green{};
    std::array<uint8_t, 256> blue{};
};
