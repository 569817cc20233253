#include "peers/JpegPeer.h"

#include "image/io/LittleEndian.h"

#include <windows.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include <jpeglib.h>

namespace {

struct RecoveringErrors {
    jpeg_error_mgr library;
    std::jmp_buf recovery;
};

void JumpBack(j_common_ptr decoder)
{
    std::longjmp(reinterpret_cast<RecoveringErrors*>(decoder->err)->recovery, 1);
}

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kHeaderAndTableBytes = sizeof(BITMAPINFOHEADER) + 256 * 4;

// Decodes into dib (header, 256-entry table, rows) allocated here; errors
// jump back to the caller's recovery point, so only plain locals live here.
bool DecodeIntoDib(jpeg_decompress_struct& decoder, FILE* file, uint8_t*& dib, size_t& dibBytes)
{
    jpeg_stdio_src(&decoder, file);
    jpeg_read_header(&decoder, TRUE);
    decoder.quantize_colors = TRUE;
    decoder.desired_number_of_colors = 128;
    jpeg_start_decompress(&decoder);
    const uint32_t width = decoder.output_width;
    const uint32_t height = decoder.output_height;
    const uint32_t stride = (width + 3) / 4 * 4;
    dibBytes = kHeaderAndTableBytes + static_cast<size_t>(stride) * height;
    dib = new (std::nothrow) uint8_t[dibBytes];
    if (!dib)
        return false;
    std::memset(dib, 0, kHeaderAndTableBytes);
    BITMAPINFOHEADER& header = *reinterpret_cast<BITMAPINFOHEADER*>(dib);
    header.biSize = sizeof header;
    header.biWidth = static_cast<LONG>(width);
    header.biHeight = static_cast<LONG>(height);
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biSizeImage = stride * height;
    header.biClrUsed = 256;
    uint8_t* table = dib + sizeof header;
    for (int i = 0; i < decoder.actual_number_of_colors; ++i) {
        table[i * 4 + 0] = decoder.colormap[2][i];
        table[i * 4 + 1] = decoder.colormap[1][i];
        table[i * 4 + 2] = decoder.colormap[0][i];
    }
    uint8_t* const pixels = dib + kHeaderAndTableBytes;
    while (decoder.output_scanline < height) {
        JSAMPROW row = pixels + static_cast<size_t>(height - 1 - decoder.output_scanline) * stride;
        std::memset(row + width, 0, stride - width);
        jpeg_read_scanlines(&decoder, &row, 1);
    }
    jpeg_finish_decompress(&decoder);
    return true;
}

bool DecodeJpeg(FILE* file, uint8_t*& dib, size_t& dibBytes)
{
    jpeg_decompress_struct decoder;
    RecoveringErrors errors;
    decoder.err = jpeg_std_error(&errors.library);
    errors.library.error_exit = JumpBack;
    jpeg_create_decompress(&decoder);
    if (setjmp(errors.recovery)) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    const bool decoded = DecodeIntoDib(decoder, file, dib, dibBytes);
    jpeg_destroy_decompress(&decoder);
    return decoded;
}

bool WriteBmp(const std::string& path, const uint8_t* dib, size_t dibBytes)
{
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const uint32_t offBits = static_cast<uint32_t>(kFileHeaderBytes + kHeaderAndTableBytes);
    uint8_t fileHeader[kFileHeaderBytes] = {'B', 'M'};
    StoreLe32(fileHeader + 2, static_cast<uint32_t>(kFileHeaderBytes + dibBytes));
    StoreLe32(fileHeader + 10, offBits);
    DWORD written = 0;
    DWORD blockWritten = 0;
    const bool ok = WriteFile(file, fileHeader, sizeof fileHeader, &written, nullptr) &&
                    WriteFile(file, dib, static_cast<DWORD>(dibBytes), &blockWritten, nullptr) &&
                    written == sizeof fileHeader && blockWritten == dibBytes;
    CloseHandle(file);
    return ok;
}

} // namespace

bool ConvertJpegToBmp(const std::string& jpegPath, const std::string& bmpPath)
{
    FILE* file = std::fopen(jpegPath.c_str(), "rb");
    if (!file)
        return false;
    uint8_t* dib = nullptr;
    size_t dibBytes = 0;
    const bool decoded = DecodeJpeg(file, dib, dibBytes);
    std::fclose(file);
    const std::unique_ptr<uint8_t[]> owner(dib);
    return decoded && WriteBmp(bmpPath, dib, dibBytes);
}
