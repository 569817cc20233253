// BMP headers, colour tables, masks and pixel rows (RLE included) from any
// bytes.
#include "image/DibSize.h"
#include "image/bmp/BmpParser.h"
#include "image/io/ByteReader.h"
#include "tests/fuzz/native/Require.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// Pixel arrays up to this size are read; the parser's own bound is far
// larger, but filling 512 MiB per input would leave no time for fuzzing.
constexpr uint32_t kReadBytes = 8u << 20;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ByteReader reader(data, size);
    BmpLayout layout;
    if (!ReadDibHeader(reader, layout))
        return 0;
    const DibHeader& header = layout.header;
    Require(layout.BlockBytes() <= kMaxDibBytes + 40 + 256 * 4 + 12, "an accepted block stays under the size bound");
    Require(header.clrUsed <= 256, "at most 256 colours");
    Require(header.height >= 0, "rows are kept bottom-up");
    if (header.compression == kBiRle8 || header.compression == kBiRle4) {
        const size_t available = layout.pixelOffset < size ? size - layout.pixelOffset : 0;
        Require(header.sizeImage <= available, "compressed data is no more than the file holds");
    } else {
        uint32_t imageBytes = 0;
        Require(DibImageBytes(header.bitCount, header.width, header.height, imageBytes) &&
                    imageBytes == header.sizeImage,
                "uncompressed rows get their full size");
    }
    if (header.sizeImage > kReadBytes)
        return 0;
    std::vector<uint8_t> pixels(header.sizeImage);
    ReadDibPixels(reader, layout, pixels.data());
    return 0;
}
