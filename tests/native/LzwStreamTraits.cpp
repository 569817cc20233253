#include "tests/native/LzwStreamTraits.h"

#include <vector>

LzwStreamTraits ScanLzwStream(const uint8_t* data, size_t size)
{
    LzwStreamTraits traits;
    if (size == 0)
        return traits;
    traits.minCodeSize = data[0];
    if (traits.minCodeSize < 2 || traits.minCodeSize > 11)
        return traits;
    std::vector<uint8_t> bytes;
    for (size_t at = 1; at < size && data[at] != 0; at += 1 + data[at])
        for (size_t i = at + 1; i <= at + data[at] && i < size; ++i)
            bytes.push_back(data[i]);

    const int clearCode = 1 << traits.minCodeSize;
    int codeSize = traits.minCodeSize + 1;
    int nextCode = clearCode + 2;
    bool afterClear = true;
    uint32_t reservoir = 0;
    int reservoirBits = 0;
    size_t position = 0;
    for (bool first = true;; first = false) {
        while (reservoirBits < codeSize && position < bytes.size()) {
            reservoir |= static_cast<uint32_t>(bytes[position++]) << reservoirBits;
            reservoirBits += 8;
        }
        if (reservoirBits < codeSize)
            break;
        const int code = static_cast<int>(reservoir & ((1u << codeSize) - 1));
        reservoir >>= codeSize;
        reservoirBits -= codeSize;
        if (first)
            traits.leadingClear = code == clearCode;
        if (code == clearCode) {
            ++traits.clears;
            codeSize = traits.minCodeSize + 1;
            nextCode = clearCode + 2;
            afterClear = true;
            continue;
        }
        if (code == clearCode + 1)
            break;
        if (nextCode >= 4096)
            traits.deferredClear = true;
        if (afterClear) {
            afterClear = false;
            traits.beyondTable = traits.beyondTable || code > clearCode;
            continue;
        }
        traits.beyondTable = traits.beyondTable || code > nextCode;
        if (nextCode < 4096 && ++nextCode == 4096)
            traits.filledTable = true;
        if (nextCode >= (1 << codeSize) && codeSize < 12)
            ++codeSize;
    }
    return traits;
}
