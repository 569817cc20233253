#include "tests/fuzz/Mutator.h"

#include <zlib.h>

namespace {

uint32_t BigEndian32(const uint8_t* bytes)
{
    return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
           static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
}

} // namespace

std::vector<uint8_t> Mutator::Mutate(const std::vector<uint8_t>& file, bool isPng)
{
    std::vector<uint8_t> bytes = file;
    const size_t changes = 1 + Below(4);
    for (size_t i = 0; i < changes && !bytes.empty(); ++i)
        MutateOnce(bytes);
    if (isPng && Below(5) != 0)
        FixPngChecksums(bytes);
    return bytes;
}

void Mutator::MutateOnce(std::vector<uint8_t>& bytes)
{
    static const uint8_t kBoundaries[] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF};
    const size_t at = Below(bytes.size());
    switch (Below(7)) {
    case 0:
        bytes[at] = static_cast<uint8_t>(random_());
        break;
    case 1:
        bytes[at] ^= static_cast<uint8_t>(1u << Below(8));
        break;
    case 2:
        bytes[at] = kBoundaries[Below(sizeof kBoundaries)];
        break;
    case 3: // a length or size field made large or small
        for (size_t i = at; i < bytes.size() && i < at + 4; ++i)
            bytes[i] = Below(2) != 0 ? 0xFF : 0x00;
        break;
    case 4:
        bytes.resize(at);
        break;
    case 5: {
        const size_t count = 1 + Below(bytes.size() - at);
        bytes.erase(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + count));
        break;
    }
    default: {
        const size_t count = 1 + Below(bytes.size() - at < 64 ? bytes.size() - at : 64);
        const std::vector<uint8_t> stretch(bytes.begin() + static_cast<long>(at),
                                           bytes.begin() + static_cast<long>(at + count));
        bytes.insert(bytes.begin() + static_cast<long>(Below(bytes.size())), stretch.begin(), stretch.end());
        break;
    }
    }
}

void FixPngChecksums(std::vector<uint8_t>& png)
{
    size_t at = 8; // after the signature
    while (at + 12 <= png.size()) {
        const uint32_t length = BigEndian32(&png[at]);
        if (length > png.size() - at - 12)
            return;
        const uLong crc = crc32(0, &png[at + 4], static_cast<uInt>(length + 4));
        uint8_t* stored = &png[at + 8 + length];
        stored[0] = static_cast<uint8_t>(crc >> 24);
        stored[1] = static_cast<uint8_t>(crc >> 16);
        stored[2] = static_cast<uint8_t>(crc >> 8);
        stored[3] = static_cast<uint8_t>(crc);
        at += 12 + length;
    }
}
