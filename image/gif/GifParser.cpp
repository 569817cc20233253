#include "image/gif/GifParser.h"

#include "image/gif/GatheredCodes.h"
#include "image/gif/GifRowWriter.h"
#include "image/gif/LzwDecoder.h"
#include "image/gif/LzwTwoParts.h"
#include "image/io/ByteReader.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr uint8_t kExtensionIntroducer = 0x21;
constexpr uint8_t kImageSeparator = 0x2C;
constexpr uint8_t kGraphicControlLabel = 0xF9;
constexpr int kGraphicControlBytes = 4;

// Smaller pictures are decoded before a second thread (which Wine starts
// in about a millisecond) has read far enough to help.
constexpr uint64_t kPixelsWorthAThread = 1 << 20;

struct ColorTable {
    uint8_t entries[256 * 3] = {};
    int size = 0;
};

int TableEntries(uint8_t packed)
{
    return 2 << (packed & 7);
}

void ReadColorTable(ByteReader& file, uint8_t packed, ColorTable& table)
{
    table.size = TableEntries(packed);
    file.Read(table.entries, static_cast<size_t>(table.size) * 3);
}

void SkipSubBlocks(ByteReader& file)
{
    for (;;) {
        const uint8_t length = file.Get8();
        if (length == 0) // also the answer at the end of the file
            return;
        file.Skip(length);
    }
}

class GifFileReader {
  public:
    GifFileReader(ByteReader& file, GifPictureSink& picture) : file_(file), picture_(picture) {}

    GifReadResult Read();

  private:
    // Returns false when block reading must stop.
    bool ReadExtension();
    // False when the image stops before its last pixel.
    bool DecodeImage();

    ByteReader& file_;
    GifPictureSink& picture_;
    ColorTable table_;
    bool hasGlobalTable_ = false;
    int transparentIndex_ = -1;
};

GifReadResult GifFileReader::Read()
{
    uint8_t header[13];
    if (file_.Read(header, sizeof header) < 4 || std::memcmp(header, "GIF8", 4) != 0)
        return GifReadResult::NotGif;
    hasGlobalTable_ = (header[10] & 0x80) != 0;
    if (hasGlobalTable_)
        ReadColorTable(file_, header[10], table_);

    while (!file_.AtEnd()) {
        const uint8_t block = file_.Get8();
        if (block == kExtensionIntroducer) {
            if (!ReadExtension())
                break;
        } else if (block == kImageSeparator) {
            // The program needs the first image only; later frames of an
            // animation are not read.
            return DecodeImage() ? GifReadResult::Read : GifReadResult::Incomplete;
        } else {
            break; // the trailer, or anything unexpected
        }
    }
    return GifReadResult::Read;
}

bool GifFileReader::ReadExtension()
{
    const uint8_t label = file_.Get8();
    if (label == kGraphicControlLabel) {
        const uint8_t blockSize = file_.Get8();
        uint8_t control[kGraphicControlBytes];
        const size_t got = file_.Read(control, sizeof control);
        if (got != blockSize)
            return false;
        if (control[0] & 1) {
            transparentIndex_ = control[3];
            picture_.SetTransparentIndex(transparentIndex_);
        }
    }
    SkipSubBlocks(file_);
    return true;
}

bool GifFileReader::DecodeImage()
{
    uint8_t descriptor[9];
    file_.Read(descriptor, sizeof descriptor);
    const int width = descriptor[4] | (descriptor[5] << 8);
    const int height = descriptor[6] | (descriptor[7] << 8);
    const uint8_t packed = descriptor[8];
    const bool hasLocalTable = (packed & 0x80) != 0;
    if (hasLocalTable)
        ReadColorTable(file_, packed, table_);

    const PictureRows rows = picture_.CreatePicture(width, height);
    if (!rows.bits)
        return false;
    if (hasLocalTable || hasGlobalTable_) {
        uint8_t reds[256];
        uint8_t greens[256];
        uint8_t blues[256];
        const int count = BuildGifPalette(table_.entries, table_.size, transparentIndex_, reds, greens, blues);
        picture_.SetPalette(count, reds, greens, blues);
    }
    if (rows.width <= 0 || rows.height <= 0)
        return false;

    GifRowWriter writer(rows, (packed & 0x40) != 0);
    if (writer.PixelCount() >= kPixelsWorthAThread) {
        GatheredCodes gathered;
        if (gathered.Gather(file_))
            DecodeInTwoParts(gathered.Codes(), writer, [this](CWorker& helper, std::function<void()> work) {
                return picture_.StartHelper(helper, std::move(work));
            });
        return writer.Complete();
    }
    // The decoder's tables and buffers take about 90 KiB; keep them off the stack.
    const std::unique_ptr<LzwDecoder> decoder(new (std::nothrow) LzwDecoder);
    if (decoder)
        decoder->Decode(file_, rows.width, writer);
    return writer.Complete();
}

} // namespace

int BuildGifPalette(const uint8_t* table, int tableSize, int transparentIndex, uint8_t reds[256], uint8_t greens[256],
                    uint8_t blues[256])
{
    if (tableSize > 256)
        tableSize = 256;
    std::memset(reds, 0, 256);
    std::memset(greens, 0, 256);
    std::memset(blues, 0, 256);
    for (int i = 0; i < tableSize; ++i) {
        reds[i] = table[i * 3];
        greens[i] = table[i * 3 + 1];
        blues[i] = table[i * 3 + 2];
    }
    if (transparentIndex < 0 || transparentIndex > 255)
        return tableSize;

    // White is looked for before the transparent entry turns black: a table
    // whose only white is the transparent colour gets no white entry.
    bool hasWhite = false;
    for (int i = 0; i < tableSize; ++i)
        hasWhite = hasWhite || (reds[i] == 255 && greens[i] == 255 && blues[i] == 255);
    reds[transparentIndex] = greens[transparentIndex] = blues[transparentIndex] = 0;
    for (int i = tableSize; i < 256; ++i)
        reds[i] = greens[i] = blues[i] = 255;
    if (!hasWhite && tableSize >= 256)
        reds[255] = greens[255] = blues[255] = 255;
    return 256;
}

GifReadResult ReadGif(ByteReader& file, GifPictureSink& picture)
{
    return GifFileReader(file, picture).Read();
}
