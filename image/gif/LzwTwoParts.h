#pragma once

#include "framework/Worker.h"
#include "image/gif/LzwBits.h"

#include <cstdint>
#include <functional>

class GifRowWriter;

// Starts work on a second thread, kept in helper; false when there is none
// to be had (or none worth having), and then nothing was started.
using HelperStart = std::function<bool(CWorker& helper, std::function<void()> work)>;

// Decodes a whole image on the calling thread and a second one, with exactly
// the pixels of one decoder.
//
// A clear code empties the table: what follows depends on nothing before
// it. So while the calling thread decodes from the start, the second one
// reads ahead for the first clear code at or after upperPercent of the
// data, counting only each string's length to learn where its pixels go,
// and decodes from there; the calling thread stops when it gets there.
// Where the stream gives no such clear code, the second thread is late, or
// a code beyond the table makes the rest depend on older entries, the
// calling thread decodes on past that point itself.
//
// The time goes by codes, not by pixels, so the data is split by its size.
// Reading ahead costs about a fifth of decoding in the 32-bit build, so the
// second thread's part is the smaller one.
constexpr int kUpperPartPercent = 55;

// Returns as LzwDecoder::DecodeFrom; kNoMemory when no decoder could be had.
int DecodeInTwoParts(const LzwCodes& codes, GifRowWriter& rows, const HelperStart& start,
                     int upperPercent = kUpperPartPercent);
