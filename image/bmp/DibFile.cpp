#include "image/bmp/DibFile.h"

#include "framework/Worker.h"

#include "image/bmp/BmpParser.h"
#include "image/io/ByteReader.h"
#include "image/io/FileHandle.h"
#include "image/io/FileReplacement.h"
#include "image/io/LittleEndian.h"
#include "image/io/WholeFile.h"

#include <cstring>

GlobalDib ReadDibFile(const std::string& fileName)
{
    WholeFile file;
    if (!file.Open(fileName))
        return GlobalDib();
    ByteReader reader(file.Data(), file.Size());
    BmpLayout layout;
    if (!ReadDibHeader(reader, layout))
        return GlobalDib();

    GlobalDib dib;
    if (!dib.Allocate(layout.BlockBytes()))
        return GlobalDib();
    uint8_t* block = dib.Data();
    std::memcpy(block, &layout.header, sizeof layout.header);
    std::memcpy(block + 40, layout.colorTable, layout.TableBytes());
    if (layout.hasMasks)
        std::memcpy(block + 40 + layout.TableBytes(), layout.masks, sizeof layout.masks);
    ReadDibPixels(reader, layout, block + layout.PixelStart());
    return dib;
}

size_t WriteInChunks(FileHandle& file, const uint8_t* buffer, size_t byteCount)
{
    // A conversion told to stop gives up between two chunks.
    return WriteInChunks(
        [&file](const uint8_t* chunk, size_t count) { return StopRequested() ? 0 : file.Write(chunk, count); }, buffer,
        byteCount);
}

uint32_t ColorTableBytes(const BITMAPINFOHEADER& dib)
{
    const uint32_t entryBytes = dib.biSize == 12 ? 3 : 4;
    return static_cast<uint32_t>(ColorTableEntries(dib)) * entryBytes;
}

int WriteDibFile(const std::string& fileName, const BITMAPINFOHEADER* dib)
{
    if (!dib)
        return 0;
    const uint32_t tableBytes = ColorTableBytes(*dib);
    const uint32_t maskBytes = dib->biCompression == BI_BITFIELDS ? 12 : 0;
    const uint32_t offBits = 14 + dib->biSize + tableBytes + maskBytes;
    const size_t blockBytes = dib->biSize + tableBytes + maskBytes + dib->biSizeImage;

    uint8_t fileHeader[14] = {'B', 'M'};
    StoreLe32(fileHeader + 2, offBits + dib->biSizeImage);
    StoreLe32(fileHeader + 10, offBits);
    // Whoever reads the old file meanwhile (the desktop, for one) must never
    // find half a picture in it.
    const bool written = WriteFileReplacing(fileName, [&](FileHandle& file) {
        return file.Write(fileHeader, sizeof fileHeader) == sizeof fileHeader &&
               WriteInChunks(file, reinterpret_cast<const uint8_t*>(dib), blockBytes) == blockBytes;
    });
    return written ? 1 : 0;
}

bool CanReadDibFile(const std::string& fileName)
{
    FileHandle file = FileHandle::OpenForReading(fileName);
    if (!file.IsOpen())
        return false;
    // The longest header the parser takes (file header, a 124-byte info
    // header, masks and 256 colours) fits this easily.
    uint8_t head[2048];
    DWORD length = 0;
    if (!ReadFile(file.Get(), head, sizeof head, &length, nullptr))
        return false;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.Get(), &size))
        return false;
    ByteReader reader(head, length);
    BmpLayout layout;
    return ReadDibHeader(reader, layout, static_cast<uint64_t>(size.QuadPart));
}
