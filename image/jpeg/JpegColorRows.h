#pragma once

#include "framework/Worker.h"
#include "image/colour/SrgbConversion.h"
#include "image/jpeg/JpegFileSource.h"
#include "image/quantize/ColorHistogram.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#include <jpeglib.h>

// A colour or ink JPEG decoded to rows of red, green and blue, with the
// histogram of their colours that the quantiser chooses its palette from.
//
// Both processors decode when there are two. A file of one scan is split:
// the calling thread decodes the upper rows while a second decoder of its
// own skips them (skipping costs the library a fraction of decoding) and
// decodes the lower ones; each counts the colours of its rows while they
// are fresh in the cache. A progressive file holds all its scans before
// the first row comes out, so two decoders would each pay for them: the
// calling thread decodes it alone while a second thread counts the colours
// of the rows already decoded. With one processor (or a process tied to
// one), no thread is started. The second decoder reads the bytes the first
// one reads: the file is never opened twice.
class JpegColorRows {
  public:
    JpegColorRows() = default;
    ~JpegColorRows();
    JpegColorRows(const JpegColorRows&) = delete;
    JpegColorRows& operator=(const JpegColorRows&) = delete;

    // After jpeg_start_decompress with the output RequestOutput asked for
    // (RGB, or the stored inks of ink files): decodes every row of file, whose
    // bytes decoder reads, and ends the decompression. False when memory is
    // short, the work was told to stop, or the second decoder met an error
    // or the file's early end. An error of decoder longjmps out of it (its
    // frame keeps nothing to destroy); a second thread then ends with this
    // object.
    bool Decode(jpeg_decompress_struct& decoder, const SharedReadFile& file);

    // Before Decode: the rows are stored turned (1 to 8,
    // image/orient/Orientation.h) and go to their upright places as they
    // are decoded, so the quantiser and its dithering see the picture as
    // it is shown. A file of one scan is still decoded in two parts; a
    // progressive one is then decoded and counted on one thread.
    void SetOrientation(int stored) { orientation = stored; }
    // Before Decode: the rows are turned into sRGB as they are decoded,
    // before their colours are counted (RGB rows; null: as they are).
    void SetConversion(const SrgbConversion* rowConversion) { conversion = rowConversion; }

    // The upright size.
    int Width() const { return width; }
    int Height() const { return height; }
    const uint8_t* Row(int y) const { return pixels.get() + static_cast<size_t>(y) * width * 3; }
    // Complete once Decode has returned true.
    const ColorHistogram& Histogram() const { return histogram; }

  private:
    // How the second decoder of a two-part decoding is set up, and its part:
    // from firstRow to the end.
    struct LowerPart {
        const SharedReadFile* file = nullptr;
        J_COLOR_SPACE output = JCS_RGB;
        unsigned int scaleNum = 1;
        unsigned int scaleDenom = 1;
        int firstRow = 0;
        ColorHistogram counts;
        bool decoded = false;
    };

    // Reads decoder's rows from its next one up to end into their place,
    // counting their colours into counts, or handing them to the counting
    // thread when counts is null.
    void ReadRows(jpeg_decompress_struct& decoder, int end, ColorHistogram* counts);
    uint8_t* MutableRow(int y) { return pixels.get() + static_cast<size_t>(y) * width * 3; }
    // Rows of the stored size; the upright size follows from the orientation.
    bool Allocate(int storedWidth, int storedHeight);
    // Starts the second thread on work; false when none can be had.
    bool StartHelper(void (JpegColorRows::*work)()) noexcept;

    // A file of one scan: the calling thread reads the upper part, the
    // second thread, with a decoder of its own and its own recovery point,
    // the lower part.
    void PrepareLowerPart(const jpeg_decompress_struct& decoder, const SharedReadFile& file);
    bool DecodeInTwoParts(jpeg_decompress_struct& decoder);
    void DecodeLowerPart();
    void ReadLowerPart(jpeg_decompress_struct& decoder);

    // A progressive file: the second thread counts what the first decodes.
    bool DecodeWhileCounting(jpeg_decompress_struct& decoder);
    void Publish(int decodedRows);
    void CountRows();
    void EndHelper();

    std::unique_ptr<uint8_t[]> pixels;
    int width = 0;
    int height = 0;
    int orientation = 1;
    const SrgbConversion* conversion = nullptr;
    int storedWidth = 0;
    int storedHeight = 0;
    ColorHistogram histogram;

    LowerPart lower;
    CWorker helper;
    std::mutex mutex;
    std::condition_variable rowsArrived;
    int rowsDecoded = 0;        // guarded by mutex
    bool decodingEnded = false; // guarded by mutex: every row is in, or decoding was abandoned
};
