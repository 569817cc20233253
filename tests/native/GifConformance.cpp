// Holds the library's GIF decoding against giflib over a folder of GIF files
// from real encoders (gif-corpus.sh gathers and makes them). Every line that
// giflib decodes must come out the same, in every image of every file; the
// first image, which is the one the program shows, goes through the parser
// itself and must also get giflib's colour table and transparent colour.
// What the library does differently on purpose is allowed: the transparent
// entry is black, a table with a transparent colour grows to 256 entries with
// white, minimum code sizes outside 2 to 9 are refused (rows stay zero), and
// a code beyond the table, which only broken streams hold, decodes as the
// previous string and its first byte where giflib stops (such frames are
// listed, not compared).
//
// The run fails on any difference, on fewer files than asked for, and when
// the files no longer show every kind of stream the decoder must handle.
//
//   gif_conformance FOLDER MINIMUM_FILES

#include "image/gif/GifParser.h"
#include "image/gif/LzwDecoder.h"
#include "image/io/ByteReader.h"
#include "tests/native/GifFrames.h"
#include "tests/native/GiflibReference.h"
#include "tests/native/LzwStreamTraits.h"
#include "tests/native/MemoryPicture.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr size_t kMaxFrames = 400;
// Larger frames are neither decoded nor compared.
constexpr uint64_t kMaxFrameBytes = 64ull << 20;

std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool StartsAsGif(const std::vector<uint8_t>& bytes)
{
    return bytes.size() >= 4 && std::equal(bytes.begin(), bytes.begin() + 4, "GIF8");
}

struct Tally {
    int files = 0;
    int filesCompared = 0;
    int framesCompared = 0;
    long long linesCompared = 0;
    int refusedByGiflib = 0;
    int brokenStreams = 0;
    int differences = 0;
    std::map<std::string, int> traits;
};

class Comparison {
  public:
    Comparison(const std::string& name, Tally& tally) : name_(name), tally_(tally) {}

    void Differs(const std::string& what)
    {
        ++tally_.differences;
        std::printf("DIFFERENCE %s: %s\n", name_.c_str(), what.c_str());
    }

    // Lines of ours (picture rows, bottom-up) against the lines giflib decoded.
    void ComparePixels(int frame, const MemoryPicture& ours, const ReferenceImage& theirs)
    {
        if (!ours.rows.bits) {
            Differs("frame " + std::to_string(frame) + " was not created");
            return;
        }
        if (ours.rows.width != theirs.width || ours.rows.height != theirs.height) {
            Differs("frame " + std::to_string(frame) + " size");
            return;
        }
        for (int y = 0; y < theirs.height; ++y) {
            if (!theirs.lineDecoded[static_cast<size_t>(y)])
                continue;
            ++tally_.linesCompared;
            const uint8_t* line = theirs.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(theirs.width);
            for (int x = 0; x < theirs.width; ++x) {
                if (ours.At(x, y) != line[x]) {
                    Differs("frame " + std::to_string(frame) + " line " + std::to_string(y) + " pixel " +
                            std::to_string(x) + ": " + std::to_string(ours.At(x, y)) + " against giflib's " +
                            std::to_string(line[x]));
                    return;
                }
            }
        }
    }

    // The first image's palette: giflib's table, and with a transparent
    // colour 256 entries: the transparent one black, then those past the
    // table white, and entry 255 white when the table held no white.
    void ComparePalette(const MemoryPicture& ours, const ReferenceImage& theirs)
    {
        const std::vector<uint8_t>& table = theirs.colorTable;
        const int tableEntries = static_cast<int>(table.size() / 3);
        if (tableEntries == 0) {
            if (ours.paletteSize != -1)
                Differs("a palette without a colour table");
            return;
        }
        const int transparent = theirs.transparentIndex;
        if (ours.transparentIndex != transparent)
            Differs("transparent index " + std::to_string(ours.transparentIndex) + " against giflib's " +
                    std::to_string(transparent));
        const int expectedSize = transparent >= 0 ? 256 : tableEntries;
        if (ours.paletteSize != expectedSize) {
            Differs("palette of " + std::to_string(ours.paletteSize) + " entries");
            return;
        }
        bool tableHasWhite = false;
        for (int i = 0; i < tableEntries; ++i)
            tableHasWhite = tableHasWhite || (table[i * 3] & table[i * 3 + 1] & table[i * 3 + 2]) == 255;
        for (int i = 0; i < expectedSize; ++i) {
            // In this order, so a transparent entry past the table ends white.
            uint8_t expected[3] = {0, 0, 0};
            if (i < tableEntries && i != transparent)
                std::copy(&table[i * 3], &table[i * 3 + 3], expected);
            if (transparent >= 0 && (i >= tableEntries || (i == 255 && !tableHasWhite)))
                expected[0] = expected[1] = expected[2] = 255;
            if (ours.reds[i] != expected[0] || ours.greens[i] != expected[1] || ours.blues[i] != expected[2]) {
                Differs("palette entry " + std::to_string(i));
                return;
            }
        }
    }

  private:
    std::string name_;
    Tally& tally_;
};

void NoteTraits(const GifFrames& frames, const std::vector<LzwStreamTraits>& streams, Tally& tally)
{
    tally.traits["animations"] += frames.frames.size() > 1;
    for (size_t i = 0; i < frames.frames.size(); ++i) {
        const GifFrame& frame = frames.frames[i];
        const LzwStreamTraits& stream = streams[i];
        ++tally.traits["code size " + std::to_string(stream.minCodeSize)];
        tally.traits["interlaced"] += frame.interlaced;
        tally.traits["local tables"] += frame.localTable;
        tally.traits["smaller than the screen"] +=
            frame.width < frames.screenWidth || frame.height < frames.screenHeight;
        tally.traits["no leading clear"] += !stream.leadingClear && stream.minCodeSize >= 2;
        tally.traits["full tables"] += stream.filledTable;
        tally.traits["deferred clears"] += stream.deferredClear;
    }
}

void CompareFile(const std::filesystem::path& path, const std::string& name, Tally& tally)
{
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    if (!StartsAsGif(bytes))
        return;
    ++tally.files;
    Comparison comparison(name, tally);

    MemoryPicture first;
    ByteReader reader(bytes.data(), bytes.size());
    ReadGif(reader, first);
    const GifFrames ours = DecodeGifFrames(bytes.data(), bytes.size(), kMaxFrames, kMaxFrameBytes);
    std::vector<LzwStreamTraits> streams;
    for (const GifFrame& frame : ours.frames)
        streams.push_back(ScanLzwStream(frame.data, frame.dataSize));
    NoteTraits(ours, streams, tally);
    const ReferenceFile theirs = DecodeWithGiflib(bytes, kMaxFrames, kMaxFrameBytes);
    if (theirs.images.empty()) {
        ++tally.refusedByGiflib;
        const std::string why = theirs.stoppedAtLargeImage ? "too large to compare" : GiflibErrorText(theirs.error);
        std::printf("not decoded by giflib: %s (%s)\n", name.c_str(), why.c_str());
        return;
    }
    ++tally.filesCompared;
    if (ours.frames.size() < theirs.images.size()) {
        comparison.Differs("giflib found " + std::to_string(theirs.images.size()) + " images, we " +
                           std::to_string(ours.frames.size()));
        return;
    }
    comparison.ComparePalette(first, theirs.images[0]);
    for (size_t i = 0; i < theirs.images.size(); ++i) {
        const GifFrame& frame = ours.frames[i];
        const int codeSize = frame.dataSize > 0 ? frame.data[0] : 0;
        if (codeSize < 2 || codeSize > 9) {
            if (frame.decodeResult != LzwDecoder::kBadCodeSize)
                comparison.Differs("a minimum code size of " + std::to_string(codeSize) + " was not refused");
            continue;
        }
        if (streams[i].beyondTable) {
            // Decoded as the previous string and its first byte, where
            // giflib repeats a byte of its own choosing.
            ++tally.brokenStreams;
            std::printf("codes beyond the table, not compared: %s frame %zu\n", name.c_str(), i);
            continue;
        }
        ++tally.framesCompared;
        comparison.ComparePixels(static_cast<int>(i), i == 0 ? first : frame.picture, theirs.images[i]);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: gif_conformance FOLDER MINIMUM_FILES\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int minimumFiles = std::stoi(argv[2]);
    if (!std::filesystem::is_directory(folder)) {
        std::printf("no GIF folder at %s: run tests/native/gif-corpus.sh (make build does)\n", argv[1]);
        return 1;
    }
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());

    Tally tally;
    for (const auto& path : paths)
        CompareFile(path, std::filesystem::relative(path, folder).string(), tally);

    std::printf("%d GIF files, %d compared with giflib (%d frames, %lld lines), %d not decoded by giflib, "
                "%d frames with codes beyond the table, %d differences\n",
                tally.files, tally.filesCompared, tally.framesCompared, tally.linesCompared, tally.refusedByGiflib,
                tally.brokenStreams, tally.differences);
    bool coversEverything = true;
    for (const char* trait : {"animations", "interlaced", "local tables", "smaller than the screen", "no leading clear",
                              "full tables", "deferred clears"}) {
        std::printf("  %-24s %d %s\n", trait, tally.traits[trait],
                    trait == std::string("animations") ? "files" : "frames");
        coversEverything = coversEverything && tally.traits[trait] > 0;
    }
    for (int size = 2; size <= 8; ++size) {
        const int frames = tally.traits["code size " + std::to_string(size)];
        std::printf("  %-24s %d frames\n", ("code size " + std::to_string(size)).c_str(), frames);
        coversEverything = coversEverything && frames > 0;
    }
    if (tally.files < minimumFiles)
        std::printf("FAIL: fewer than %d GIF files\n", minimumFiles);
    if (!coversEverything)
        std::printf("FAIL: the files no longer cover every kind of stream listed above\n");
    return tally.differences == 0 && tally.files >= minimumFiles && coversEverything ? 0 : 1;
}
