#include "image/gif/LzwTwoParts.h"

#include "image/gif/GifRowWriter.h"
#include "image/gif/LzwDecoder.h"

#include <atomic>
#include <memory>
#include <new>

namespace {

// The first clear code at or after bit splitBit, found by reading the
// codes and keeping only each entry's length. False when the stream ends
// before, holds a code beyond the table, or keepLooking turns false.
bool FindSplit(const LzwCodes& codes, size_t splitBit, const std::atomic<bool>& keepLooking, LzwPlace& split)
{
    const LzwAlphabet alphabet(codes.minCodeSize);
    uint16_t lengths[LzwAlphabet::kTableSize];
    for (uint16_t& length : lengths)
        length = 1;
    LzwBits bits(codes, 0);
    int codeSize = alphabet.firstCodeSize;
    int codeLimit = 1 << codeSize;
    int nextCode = alphabet.firstFreeCode;
    int previousCode = 0;
    bool startsTable = true;
    uint64_t pixel = 0;
    for (;;) {
        int code = bits.Read(codeSize);
        if (code < 0 || code == alphabet.endCode)
            return false;
        if (code == alphabet.clearCode) {
            if (bits.Position() >= splitBit) {
                split = {bits.Position(), pixel};
                return true;
            }
            if (!keepLooking.load(std::memory_order_relaxed))
                return false;
            codeSize = alphabet.firstCodeSize;
            codeLimit = 1 << codeSize;
            nextCode = alphabet.firstFreeCode;
            startsTable = true;
            continue;
        }
        if (startsTable) {
            startsTable = false;
            previousCode = code < nextCode ? code : 0;
            ++pixel;
            continue;
        }
        if (code > nextCode)
            return false;
        pixel += code < nextCode ? lengths[code] : lengths[previousCode] + 1u;
        if (nextCode < codeLimit) {
            const int length = lengths[previousCode] + 1;
            lengths[nextCode] =
                static_cast<uint16_t>(length < LzwAlphabet::kTableSize ? length : LzwAlphabet::kTableSize);
            ++nextCode;
            previousCode = code;
        }
        if (nextCode >= codeLimit && codeSize < LzwAlphabet::kMaxCodeSize) {
            codeLimit *= 2;
            ++codeSize;
        }
    }
}

class TwoParts : public LzwClearCodeWatch {
  public:
    TwoParts(const LzwCodes& codes, GifRowWriter& rows, size_t splitBit)
        : codes_(codes), rows_(rows), splitBit_(splitBit)
    {
    }
    ~TwoParts() override { EndHelper(); }
    TwoParts(const TwoParts&) = delete;
    TwoParts& operator=(const TwoParts&) = delete;

    int Decode(const HelperStart& start)
    {
        if (!codes_.HasValidCodeSize())
            return LzwDecoder::kBadCodeSize;
        const std::unique_ptr<LzwDecoder> decoder(new (std::nothrow) LzwDecoder);
        if (!decoder)
            return LzwDecoder::kNoMemory;
        if (!start(helper_, [this] { DecodeLowerPart(); }))
            state_ = kAlone;
        const int upperResult = decoder->DecodeFrom(codes_, LzwPlace(), rows_, this, false);
        EndHelper();
        return upperResult == LzwDecoder::kStoppedAtClearCode ? lowerResult_ : upperResult;
    }

    // The calling thread's decoder at a clear code.
    bool StopAt(const LzwPlace& place) override
    {
        int state = state_.load(std::memory_order_acquire);
        if (state == kSearching && place.bit >= splitBit_) {
            // Here before the second thread found its start (it started
            // late, or there is none): this thread decodes everything.
            int expected = kSearching;
            state = state_.compare_exchange_strong(expected, kAlone, std::memory_order_acq_rel) ? kAlone : expected;
        }
        if (state != kFound || place.bit < split_.bit)
            return false;
        EndHelper();
        state_ = kAlone;
        // The lower part is done unless it met a code beyond the table.
        return place.bit == split_.bit && lowerResult_ != LzwDecoder::kIrregular;
    }

  private:
    enum State { kSearching, kFound, kAlone };

    void DecodeLowerPart()
    {
        const std::unique_ptr<LzwDecoder> decoder(new (std::nothrow) LzwDecoder);
        LzwPlace split;
        if (!decoder || !FindSplit(codes_, splitBit_, keepLooking_, split)) {
            state_ = kAlone;
            return;
        }
        split_ = split;
        int expected = kSearching;
        if (!state_.compare_exchange_strong(expected, kFound, std::memory_order_acq_rel))
            return;
        lowerResult_ = decoder->DecodeFrom(codes_, split_, rows_, nullptr, true);
    }

    void EndHelper()
    {
        keepLooking_ = false;
        helper_.Join();
    }

    const LzwCodes codes_;
    GifRowWriter& rows_;
    const size_t splitBit_;
    CWorker helper_;
    std::atomic<int> state_{kSearching};
    std::atomic<bool> keepLooking_{true};
    // Written by the second thread before it sets kFound, read after.
    LzwPlace split_;
    int lowerResult_ = 0;
};

} // namespace

int DecodeInTwoParts(const LzwCodes& codes, GifRowWriter& rows, const HelperStart& start, int upperPercent)
{
    const size_t splitBit = static_cast<size_t>(static_cast<uint64_t>(codes.size) * 8 * upperPercent / 100);
    return TwoParts(codes, rows, splitBit).Decode(start);
}
