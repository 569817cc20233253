#include "tests/native/GiflibReference.h"

#include "image/DibSize.h"

#include <gif_lib.h>

#include <cstring>

namespace {

struct MemoryInput {
    const std::vector<uint8_t>* bytes;
    size_t position;
};

int ReadFromMemory(GifFileType* gif, GifByteType* dest, int count)
{
    MemoryInput& input = *static_cast<MemoryInput*>(gif->UserData);
    const size_t left = input.bytes->size() - input.position;
    const size_t take = static_cast<size_t>(count) < left ? static_cast<size_t>(count) : left;
    std::memcpy(dest, input.bytes->data() + input.position, take);
    input.position += take;
    return static_cast<int>(take);
}

std::vector<int> LineOrder(int height, bool interlaced)
{
    std::vector<int> order;
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            order.push_back(y);
        return order;
    }
    static const int kFirst[] = {0, 4, 2, 1};
    static const int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kFirst[pass]; y < height; y += kStep[pass])
            order.push_back(y);
    return order;
}

// Reads the image whose descriptor giflib has just read; false when giflib
// stopped inside it.
bool ReadImage(GifFileType* gif, int transparentIndex, ReferenceImage& image)
{
    const GifImageDesc& descriptor = gif->Image;
    image.width = descriptor.Width;
    image.height = descriptor.Height;
    image.transparentIndex = transparentIndex;
    const ColorMapObject* table = descriptor.ColorMap ? descriptor.ColorMap : gif->SColorMap;
    if (table) {
        for (int i = 0; i < table->ColorCount; ++i) {
            image.colorTable.push_back(table->Colors[i].Red);
            image.colorTable.push_back(table->Colors[i].Green);
            image.colorTable.push_back(table->Colors[i].Blue);
        }
    }
    image.pixels.assign(static_cast<size_t>(image.width) * static_cast<size_t>(image.height), 0);
    image.lineDecoded.assign(static_cast<size_t>(image.height), false);
    for (int y : LineOrder(image.height, descriptor.Interlace)) {
        uint8_t* line = image.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width);
        if (DGifGetLine(gif, line, image.width) != GIF_OK)
            return false;
        image.lineDecoded[static_cast<size_t>(y)] = true;
    }
    return true;
}

} // namespace

ReferenceFile DecodeWithGiflib(const std::vector<uint8_t>& bytes, size_t maxImages, uint64_t maxBytes)
{
    ReferenceFile file;
    MemoryInput input{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&input, ReadFromMemory, &error);
    if (!gif) {
        file.error = error;
        return file;
    }
    file.opened = true;
    int transparentIndex = -1;
    GifRecordType record;
    while (file.images.size() < maxImages && DGifGetRecordType(gif, &record) == GIF_OK) {
        if (record == TERMINATE_RECORD_TYPE)
            break;
        if (record == EXTENSION_RECORD_TYPE) {
            int label = 0;
            GifByteType* data = nullptr;
            if (DGifGetExtension(gif, &label, &data) != GIF_OK)
                break;
            if (label == GRAPHICS_EXT_FUNC_CODE && data) {
                GraphicsControlBlock control;
                if (DGifExtensionToGCB(data[0], data + 1, &control) == GIF_OK)
                    transparentIndex = control.TransparentColor;
            }
            while (data && DGifGetExtensionNext(gif, &data) == GIF_OK) {
            }
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif) != GIF_OK)
            break;
        const uint64_t paddedWidth = (static_cast<uint64_t>(gif->Image.Width) + 3) & ~3ull;
        const bool empty = gif->Image.Width <= 0 || gif->Image.Height <= 0;
        // Our library refuses pictures beyond its size bound: nothing to compare.
        if (paddedWidth * static_cast<uint64_t>(gif->Image.Height) > maxBytes ||
            (!empty && !PictureSizeAllowed(gif->Image.Width, gif->Image.Height))) {
            file.stoppedAtLargeImage = true;
            break;
        }
        file.images.emplace_back();
        if (!ReadImage(gif, transparentIndex, file.images.back()))
            break;
        transparentIndex = -1; // a control block belongs to the image after it
    }
    file.error = gif->Error;
    DGifCloseFile(gif, &error);
    return file;
}

std::string GiflibErrorText(int error)
{
    const char* text = GifErrorString(error);
    return text ? text : "error " + std::to_string(error);
}
