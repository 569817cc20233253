#include "image/jpeg/JpegColorRows.h"

#include "image/jpeg/InkJpeg.h"
#include "image/jpeg/JpegErrorManager.h"
#include "image/orient/Orientation.h"

#include <new>

namespace {

// Rows asked of the library at once: a few row groups of the largest
// sampling, so each call does a worthwhile amount of work.
constexpr int kRowsPerRead = 32;

// Rows of a turned picture placed at once: enough that each upright row is
// written in runs of several cache lines, not a pixel here and there.
constexpr int kStripRows = 128;

// The counting thread wakes once per this many rows, not for every one.
constexpr int kRowsPerHandOver = 64;

// Pictures of fewer rows are not worth a second thread.
constexpr int kRowsWorthAThread = 64;

// The upper part, which the second decoder skips, is the larger one: with
// skipping costing a fraction k of decoding, both parts take as long when
// the upper one holds 1 / (2 - k) of the rows. k is about two fifths for a
// colour file. Skipping still reads every coded bit, so for an ink file,
// whose skipped rows save the work of four components, k grows with the
// coded bytes per pixel: reading them costs about 1.3 times the rest of
// the decoding per byte a pixel, measured from a fifth (a clean picture)
// to near a byte (a grainy one).
constexpr int kUpperPartPercent = 62;
constexpr double kInkBitsCostPerBytePerPixel = 1.3;

int InkUpperPartPercent(uint64_t fileBytes, int width, int height)
{
    const double bitsCost = kInkBitsCostPerBytePerPixel * static_cast<double>(fileBytes) /
                            (static_cast<double>(width) * static_cast<double>(height));
    const double skipShare = bitsCost / (1 + bitsCost);
    const double upper = 100 / (2 - skipShare);
    return upper > 80 ? 80 : static_cast<int>(upper + 0.5);
}

} // namespace

JpegColorRows::~JpegColorRows()
{
    helper.RequestStop();
    EndHelper();
}

void JpegColorRows::EndHelper()
{
    if (!helper.Started())
        return;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        decodingEnded = true;
    }
    rowsArrived.notify_one();
    helper.Join();
}

bool JpegColorRows::Allocate(int newWidth, int newHeight)
{
    // The caller has bounded the 8-bit picture of this size, so three bytes
    // a pixel stay within 32 bits.
    pixels.reset(new (std::nothrow) uint8_t[static_cast<size_t>(newWidth) * newHeight * 3]);
    orientation = ValidOrientation(orientation);
    storedWidth = newWidth;
    storedHeight = newHeight;
    width = UprightWidth(orientation, newWidth, newHeight);
    height = UprightHeight(orientation, newWidth, newHeight);
    return pixels != nullptr;
}

bool JpegColorRows::Decode(jpeg_decompress_struct& decoder, const SharedReadFile& file)
{
    if (!Allocate(static_cast<int>(decoder.output_width), static_cast<int>(decoder.output_height)))
        return false;
    if (HasSecondProcessor() && storedHeight >= kRowsWorthAThread) {
        if (jpeg_has_multiple_scans(&decoder)) {
            // The counting thread reads finished upright rows, which a
            // turned picture only has at the end.
            if (orientation == 1 && StartHelper(&JpegColorRows::CountRows))
                return DecodeWhileCounting(decoder);
        } else {
            PrepareLowerPart(decoder, file);
            if (StartHelper(&JpegColorRows::DecodeLowerPart))
                return DecodeInTwoParts(decoder);
        }
    }
    // One thread does it all, also when no second thread could be had.
    ReadRows(decoder, storedHeight, &histogram);
    if (StopRequested())
        return false;
    jpeg_finish_decompress(&decoder);
    return true;
}

bool JpegColorRows::StartHelper(void (JpegColorRows::*work)()) noexcept
{
    return helper.Start([this, work] { (this->*work)(); });
}

void JpegColorRows::PrepareLowerPart(const jpeg_decompress_struct& decoder, const SharedReadFile& file)
{
    lower.file = &file;
    lower.output = decoder.out_color_space;
    lower.scaleNum = decoder.scale_num;
    lower.scaleDenom = decoder.scale_denom;
    const int upperPercent = IsInkColorSpace(decoder.out_color_space)
                                 ? InkUpperPartPercent(file.Size(), storedWidth, storedHeight)
                                 : kUpperPartPercent;
    lower.firstRow = storedHeight * upperPercent / 100;
}

void JpegColorRows::DecodeLowerPart()
{
    jpeg_decompress_struct decoder = {};
    JpegErrorManager errors;
    decoder.err = InstallJpegErrorManager(errors);
    if (setjmp(errors.recovery) == 0) {
        ReadLowerPart(decoder);
        lower.decoded = lower.decoded && !errors.endedEarly;
    }
    jpeg_destroy_decompress(&decoder);
}

// Library errors longjmp back to DecodeLowerPart: no destructors here.
void JpegColorRows::ReadLowerPart(jpeg_decompress_struct& decoder)
{
    jpeg_create_decompress(&decoder);
    WatchForStop(decoder);
    UseSharedFileSource(decoder, *lower.file);
    jpeg_read_header(&decoder, TRUE);
    decoder.out_color_space = lower.output;
    decoder.scale_num = lower.scaleNum;
    decoder.scale_denom = lower.scaleDenom;
    jpeg_start_decompress(&decoder);
    if (static_cast<int>(decoder.output_width) != storedWidth ||
        static_cast<int>(decoder.output_height) != storedHeight)
        return;
    jpeg_skip_scanlines(&decoder, static_cast<JDIMENSION>(lower.firstRow));
    ReadRows(decoder, storedHeight, &lower.counts);
    if (StopRequested())
        return;
    jpeg_finish_decompress(&decoder);
    lower.decoded = true;
}

bool JpegColorRows::DecodeInTwoParts(jpeg_decompress_struct& decoder)
{
    // Everything the second thread uses lives in this object, which the
    // caller holds outside the library's recovery point: should decoder
    // longjmp out of here, the destructor still stops the thread.
    ReadRows(decoder, lower.firstRow, &histogram);
    helper.Join();
    // The upper decoder stops short of the last row; the lower one has
    // read the file to its end.
    jpeg_abort_decompress(&decoder);
    histogram.Add(lower.counts);
    return lower.decoded;
}

bool JpegColorRows::DecodeWhileCounting(jpeg_decompress_struct& decoder)
{
    ReadRows(decoder, height, nullptr);
    if (StopRequested())
        return false;
    jpeg_finish_decompress(&decoder);
    {
        const std::lock_guard<std::mutex> lock(mutex);
        rowsDecoded = height;
    }
    EndHelper();
    return true;
}

void JpegColorRows::ReadRows(jpeg_decompress_struct& decoder, int end, ColorHistogram* counts)
{
    const bool ink = IsInkColorSpace(decoder.out_color_space);
    const bool inverted = decoder.saw_Adobe_marker;
    const bool upright = orientation == 1;
    const j_common_ptr common = reinterpret_cast<j_common_ptr>(&decoder);
    JSAMPARRAY inkRows = nullptr;
    if (ink)
        inkRows = decoder.mem->alloc_sarray(common, JPOOL_IMAGE, decoder.output_width * 4, kRowsPerRead);
    // Turned rows are decoded into a strip and placed upright from there:
    // a strip's worth of memory for each decoder, not a second picture.
    JSAMPARRAY strip = nullptr;
    if (!upright)
        strip = decoder.mem->alloc_sarray(common, JPOOL_IMAGE, decoder.output_width * 3, kStripRows);
    const OrientedRows place(orientation, storedWidth, storedHeight, pixels.get(), static_cast<ptrdiff_t>(width) * 3,
                             3);
    int filled = 0;
    int published = static_cast<int>(decoder.output_scanline);
    while (static_cast<int>(decoder.output_scanline) < end && !StopRequested()) {
        const int first = static_cast<int>(decoder.output_scanline);
        int wanted = end - first < kRowsPerRead ? end - first : kRowsPerRead;
        if (!upright && wanted > kStripRows - filled)
            wanted = kStripRows - filled;
        JSAMPROW rows[kRowsPerRead];
        for (int i = 0; i < wanted; ++i)
            rows[i] = ink ? inkRows[i] : upright ? MutableRow(first + i) : strip[filled + i];
        const int read = static_cast<int>(jpeg_read_scanlines(&decoder, rows, static_cast<JDIMENSION>(wanted)));
        for (int i = 0; (ink || !upright) && i < read; ++i) {
            uint8_t* rgb = upright ? MutableRow(first + i) : strip[filled + i];
            if (ink)
                InkRowToRgb(inkRows[i], rgb, static_cast<size_t>(storedWidth), decoder.out_color_space, inverted);
            if (upright)
                continue;
            if (conversion)
                conversion->Convert(rgb, rgb, static_cast<size_t>(storedWidth));
            if (counts)
                counts->AddPixels(rgb, static_cast<size_t>(storedWidth));
        }
        if (!upright) {
            filled += read;
            if (filled == kStripRows || first + read == end) {
                place.PlaceRows(first + read - filled, filled, strip);
                filled = 0;
            }
            continue;
        }
        if (conversion)
            conversion->Convert(Row(first), MutableRow(first), static_cast<size_t>(read) * width);
        if (counts)
            counts->AddPixels(Row(first), static_cast<size_t>(read) * width);
        else if (first + read - published >= kRowsPerHandOver) {
            published = first + read;
            Publish(published);
        }
    }
}

void JpegColorRows::Publish(int decodedRows)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        rowsDecoded = decodedRows;
    }
    rowsArrived.notify_one();
}

void JpegColorRows::CountRows()
{
    int counted = 0;
    for (;;) {
        int available = 0;
        bool ended = false;
        {
            std::unique_lock<std::mutex> lock(mutex);
            rowsArrived.wait(lock, [&] { return rowsDecoded > counted || decodingEnded; });
            available = rowsDecoded;
            ended = decodingEnded;
        }
        histogram.AddPixels(Row(counted), static_cast<size_t>(available - counted) * width);
        counted = available;
        if (ended)
            return;
    }
}
