#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

// A JPEG written into memory. The bytes belong to this object, not to the
// library, so an error that abandons the compressor half-way still frees
// them (the library's own memory destination would leak its buffer then).
class JpegMemory {
  public:
    JpegMemory() = default;
    ~JpegMemory();
    JpegMemory(const JpegMemory&) = delete;
    JpegMemory& operator=(const JpegMemory&) = delete;

    // Makes encoder write into this object; this object must outlive the
    // compression. Running out of memory is reported through the encoder's
    // error manager.
    void AttachTo(jpeg_compress_struct& encoder);

    const uint8_t* Data() const { return bytes_; }
    size_t Size() const { return size_; }

  private:
    struct Destination {
        jpeg_destination_mgr pub;
        JpegMemory* memory;
    };
    static void StartWriting(j_compress_ptr encoder);
    static boolean BufferFull(j_compress_ptr encoder);
    static void FinishWriting(j_compress_ptr encoder);
    static JpegMemory& Of(j_compress_ptr encoder);
    // Doubles the buffer (or makes the first one); false when memory is short.
    bool Grow();

    Destination destination_ = {};
    uint8_t* bytes_ = nullptr;
    size_t capacity_ = 0;
    size_t size_ = 0;
};
