#pragma once

#include "image/gif/LzwBits.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class ByteReader;

// The code stream of one GIF image, copied out of its data sub-blocks.
class GatheredCodes {
  public:
    // Reads the minimum code size and the sub-blocks after it, up to the
    // block terminator or the end of the file, also inside a sub-block.
    // False when no memory could be had for them.
    bool Gather(ByteReader& data);

    LzwCodes Codes() const { return {bytes_.get(), size_, minCodeSize_}; }

  private:
    std::unique_ptr<uint8_t[]> bytes_;
    size_t size_ = 0;
    int minCodeSize_ = 0;
};
