#include "image/jpeg/JpegMemory.h"

#include <cstdint>
#include <cstdlib>

#include <jerror.h>

namespace {

constexpr size_t kFirstBufferBytes = 64 * 1024;

[[noreturn]] void OutOfMemory(j_compress_ptr encoder)
{
    encoder->err->msg_code = JERR_OUT_OF_MEMORY;
    encoder->err->error_exit(reinterpret_cast<j_common_ptr>(encoder));
    std::abort(); // error_exit never returns
}

} // namespace

JpegMemory::~JpegMemory()
{
    std::free(bytes_);
}

void JpegMemory::AttachTo(jpeg_compress_struct& encoder)
{
    size_ = 0;
    destination_.pub.init_destination = StartWriting;
    destination_.pub.empty_output_buffer = BufferFull;
    destination_.pub.term_destination = FinishWriting;
    destination_.memory = this;
    encoder.dest = &destination_.pub;
}

JpegMemory& JpegMemory::Of(j_compress_ptr encoder)
{
    return *reinterpret_cast<Destination*>(encoder->dest)->memory;
}

bool JpegMemory::Grow()
{
    if (capacity_ > SIZE_MAX / 2)
        return false;
    const size_t capacity = capacity_ == 0 ? kFirstBufferBytes : capacity_ * 2;
    uint8_t* bytes = static_cast<uint8_t*>(std::realloc(bytes_, capacity));
    if (!bytes)
        return false;
    bytes_ = bytes;
    capacity_ = capacity;
    return true;
}

void JpegMemory::StartWriting(j_compress_ptr encoder)
{
    JpegMemory& memory = Of(encoder);
    if (memory.capacity_ == 0 && !memory.Grow())
        OutOfMemory(encoder);
    encoder->dest->next_output_byte = memory.bytes_;
    encoder->dest->free_in_buffer = memory.capacity_;
}

boolean JpegMemory::BufferFull(j_compress_ptr encoder)
{
    // The library calls this only when every byte of the buffer is used.
    JpegMemory& memory = Of(encoder);
    const size_t used = memory.capacity_;
    if (!memory.Grow())
        OutOfMemory(encoder);
    encoder->dest->next_output_byte = memory.bytes_ + used;
    encoder->dest->free_in_buffer = memory.capacity_ - used;
    return TRUE;
}

void JpegMemory::FinishWriting(j_compress_ptr encoder)
{
    JpegMemory& memory = Of(encoder);
    memory.size_ = memory.capacity_ - encoder->dest->free_in_buffer;
}
