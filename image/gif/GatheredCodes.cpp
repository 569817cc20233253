#include "image/gif/GatheredCodes.h"

#include "image/io/ByteReader.h"

#include <new>

namespace {

// Walks the sub-blocks from the reader's place, handing each one's bytes
// (cut short where the file ends) to take; leaves the reader after them.
template <typename Take> void ForEachSubBlock(ByteReader& data, Take take)
{
    while (!data.AtEnd()) {
        const size_t length = data.Get8();
        if (length == 0)
            return;
        const size_t available = length < data.Remaining() ? length : data.Remaining();
        take(data, available);
        if (available < length)
            return;
    }
}

} // namespace

bool GatheredCodes::Gather(ByteReader& data)
{
    minCodeSize_ = data.Get8();
    // Sized first, so the copy is made once: the data is never larger than
    // the file that holds it.
    const size_t start = data.Position();
    size_t total = 0;
    ForEachSubBlock(data, [&](ByteReader& blocks, size_t available) {
        blocks.Skip(available);
        total += available;
    });
    bytes_.reset(new (std::nothrow) uint8_t[total + 1]);
    if (!bytes_)
        return false;
    data.Seek(start);
    size_ = 0;
    ForEachSubBlock(data, [&](ByteReader& blocks, size_t available) {
        blocks.Read(bytes_.get() + size_, available);
        size_ += available;
    });
    return true;
}
