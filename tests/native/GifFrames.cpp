#include "tests/native/GifFrames.h"

#include "image/gif/GifRowWriter.h"
#include "image/gif/LzwDecoder.h"
#include "image/io/ByteReader.h"

#include <cstring>
#include <memory>

namespace {

int TableEntries(uint8_t packed)
{
    return (packed & 0x80) != 0 ? 2 << (packed & 7) : 0;
}

void SkipSubBlocks(ByteReader& file)
{
    for (uint8_t length = file.Get8(); length != 0; length = file.Get8())
        file.Skip(length);
}

void DecodeFrame(GifFrame& frame, uint64_t maxPixelBytes)
{
    frame.picture.maxBytes = maxPixelBytes;
    const PictureRows rows = frame.picture.CreatePicture(frame.width, frame.height);
    if (!rows.bits || rows.width <= 0 || rows.height <= 0)
        return;
    GifRowWriter writer(rows, frame.interlaced);
    ByteReader data(frame.data, frame.dataSize);
    auto decoder = std::make_unique<LzwDecoder>();
    frame.decodeResult = decoder->Decode(data, rows.width, writer);
}

} // namespace

GifFrames DecodeGifFrames(const uint8_t* bytes, size_t size, size_t maxFrames, uint64_t maxPixelBytes)
{
    GifFrames result;
    ByteReader file(bytes, size);
    uint8_t header[13];
    if (file.Read(header, sizeof header) < sizeof header || std::memcmp(header, "GIF8", 4) != 0)
        return result;
    result.screenWidth = header[6] | (header[7] << 8);
    result.screenHeight = header[8] | (header[9] << 8);
    const int globalEntries = TableEntries(header[10]);
    file.Skip(static_cast<size_t>(globalEntries) * 3);

    while (!file.AtEnd() && result.frames.size() < maxFrames) {
        const uint8_t block = file.Get8();
        if (block == 0x21) {
            file.Get8(); // label
            SkipSubBlocks(file);
            continue;
        }
        if (block != 0x2C)
            break;
        uint8_t descriptor[9];
        file.Read(descriptor, sizeof descriptor);
        GifFrame frame;
        frame.left = descriptor[0] | (descriptor[1] << 8);
        frame.top = descriptor[2] | (descriptor[3] << 8);
        frame.width = descriptor[4] | (descriptor[5] << 8);
        frame.height = descriptor[6] | (descriptor[7] << 8);
        frame.interlaced = (descriptor[8] & 0x40) != 0;
        frame.localTable = (descriptor[8] & 0x80) != 0;
        frame.tableEntries = frame.localTable ? TableEntries(descriptor[8]) : globalEntries;
        if (frame.localTable)
            file.Skip(static_cast<size_t>(frame.tableEntries) * 3);
        const size_t start = file.Position();
        file.Get8(); // minimum code size
        SkipSubBlocks(file);
        frame.data = bytes + start;
        frame.dataSize = file.Position() - start;
        DecodeFrame(frame, maxPixelBytes);
        result.frames.push_back(std::move(frame));
    }
    return result;
}
