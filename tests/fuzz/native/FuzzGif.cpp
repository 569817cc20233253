// GIF files from any bytes: the parser with its first image, as the program
// reads it, and then every image of the file through the LZW decoder.
#include "image/gif/GifParser.h"
#include "image/gif/LzwDecoder.h"
#include "image/io/ByteReader.h"
#include "tests/fuzz/native/Require.h"
#include "tests/native/GifFrames.h"
#include "tests/native/MemoryPicture.h"

#include <cstddef>
#include <cstdint>

namespace {

// Pictures are made up to this size; larger ones are refused as a failed
// allocation would refuse them, which keeps each run fast.
constexpr uint64_t kPictureBytes = 1u << 20;
constexpr size_t kFrames = 16;

bool KnownDecodeResult(int result)
{
    return result == 0 || result == -1 || result == LzwDecoder::kBadCodeSize || result == LzwDecoder::kNoMemory;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryPicture picture;
    picture.maxBytes = kPictureBytes;
    ByteReader reader(data, size);
    const GifReadResult result = ReadGif(reader, picture);
    Require(picture.createCount <= (result != GifReadResult::NotGif ? 1 : 0),
            "one picture at most, none for a non-GIF");
    Require(picture.paletteSize == -1 || (picture.paletteSize >= 2 && picture.paletteSize <= 256),
            "a palette of 2 to 256 entries");
    Require(picture.transparentIndex < 256, "a transparent index is a byte");
    if (picture.transparentIndex >= 0 && picture.paletteSize > 0)
        Require(picture.paletteSize == 256, "transparency gives a full palette");

    const GifFrames frames = DecodeGifFrames(data, size, kFrames, kPictureBytes);
    for (const GifFrame& frame : frames.frames)
        Require(KnownDecodeResult(frame.decodeResult), "the decoder ends with a known result");
    return 0;
}
