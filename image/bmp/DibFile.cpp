#include "image/bmp/DibFile.h"

#include "image/bmp/BmpParser.h"
#include "image/io/ByteReader.h"
#include "image/io/FileHandle.h"
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
    return WriteInChunks([&file](const uint8_t* chunk, size_t count) { return file.Write(chunk, count); }, buffer,
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
    FileHandle file = FileHandle::CreateForWriting(fileName);
    if (!file.IsOpen())
        return 0;

    const uint32_t tableBytes = ColorTableBytes(*dib);
    const uint32_t maskBytes = dib->biCompression == BI_BITFIELDS ? 12 : 0;
    const uint32_t offBits = 14 + dib->biSize + tableBytes + maskBytes;
    const size_t blockBytes = dib->biSize + tableBytes + maskBytes + dib->biSizeImage;

    uint8_t fileHeader[14] = {'B', 'M'};
    StoreLe32(fileHeader + 2, offBits + dib->biSizeImage);
    StoreLe32(fileHeader + 10, offBits);
    const bool headerWritten = file.Write(fileHeader, sizeof fileHeader) == sizeof fileHeader;
    const bool blockWritten = WriteInChunks(file, reinterpret_cast<const uint8_t*>(dib), blockBytes) == blockBytes;
    return headerWritten && blockWritten ? 1 : 0;
}
