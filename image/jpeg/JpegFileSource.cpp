#include "image/jpeg/JpegFileSource.h"

#include <jerror.h>

namespace {

constexpr size_t kBufferSize = 64 * 1024;

struct SharedFileSource {
    jpeg_source_mgr manager; // first, so the decoder's pointer is this one's
    const SharedReadFile* file;
    uint64_t place;
    JOCTET* buffer;
};

SharedFileSource& SourceOf(j_decompress_ptr decoder)
{
    return *reinterpret_cast<SharedFileSource*>(decoder->src);
}

void InitSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr decoder)
{
    SharedFileSource& source = SourceOf(decoder);
    const size_t got = source.file->ReadAt(source.place, source.buffer, kBufferSize);
    source.place += got;
    if (got == 0) {
        // The file ends before the picture: an end marker lets libjpeg
        // finish, and the warning says the picture was cut short.
        WARNMS(decoder, JWRN_JPEG_EOF);
        static const JOCTET kEnd[2] = {0xFF, JPEG_EOI};
        source.manager.next_input_byte = kEnd;
        source.manager.bytes_in_buffer = sizeof kEnd;
        return TRUE;
    }
    source.manager.next_input_byte = source.buffer;
    source.manager.bytes_in_buffer = got;
    return TRUE;
}

void SkipInputData(j_decompress_ptr decoder, long count)
{
    if (count <= 0)
        return;
    SharedFileSource& source = SourceOf(decoder);
    const auto skip = static_cast<size_t>(count);
    if (skip <= source.manager.bytes_in_buffer) {
        source.manager.next_input_byte += skip;
        source.manager.bytes_in_buffer -= skip;
        return;
    }
    source.place += skip - source.manager.bytes_in_buffer;
    source.manager.bytes_in_buffer = 0;
}

void TermSource(j_decompress_ptr) {}

} // namespace

void UseSharedFileSource(jpeg_decompress_struct& decoder, const SharedReadFile& file)
{
    const j_common_ptr common = reinterpret_cast<j_common_ptr>(&decoder);
    auto* source =
        static_cast<SharedFileSource*>((*decoder.mem->alloc_small)(common, JPOOL_PERMANENT, sizeof(SharedFileSource)));
    source->buffer = static_cast<JOCTET*>((*decoder.mem->alloc_small)(common, JPOOL_PERMANENT, kBufferSize));
    source->file = &file;
    source->place = 0;
    source->manager.init_source = InitSource;
    source->manager.fill_input_buffer = FillInputBuffer;
    source->manager.skip_input_data = SkipInputData;
    source->manager.resync_to_restart = jpeg_resync_to_restart;
    source->manager.term_source = TermSource;
    source->manager.next_input_byte = nullptr;
    source->manager.bytes_in_buffer = 0;
    decoder.src = &source->manager;
}
