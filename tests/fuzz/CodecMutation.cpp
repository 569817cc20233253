// codec_mutation [--runs N | --seconds N] [--seed S]
//
// Damaged JPEG, PNG and WebP files through the program's whole loading path
// under Windows: CImageObject, our reader code, and libjpeg-turbo, libpng and
// libwebp as the program links them. Their readers sit on the Windows picture object, so
// instead of libFuzzer this loop mutates valid files of many kinds (Mutator)
// and loads each one. Every load must end: a crash or a hang fails the run.
// The input being loaded is kept as codec-mutation-input.jpg, .png or .webp in the
// working folder until the load returns, so a crash leaves it behind; the
// same seed and count replay the same inputs.
#include "image/ImageObject.h"
#include "tests/fuzz/Mutator.h"
#include "tests/image/support/FileBytes.h"
#include "tests/image/support/LibraryWriters.h"
#include "tests/image/support/ModernWriters.h"
#include "tests/image/support/TurnedPictures.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Seed {
    std::vector<uint8_t> bytes;
    int type; // PNG, JPG or WEBP
};

std::vector<uint8_t> Samples(size_t count)
{
    std::vector<uint8_t> samples(count);
    for (size_t i = 0; i < count; ++i)
        samples[i] = static_cast<uint8_t>(i * 37 + i / 7);
    return samples;
}

// A PNG of the given kind, with rows of made-up samples.
PngContents Png(int width, int height, int colorType, int bitDepth, bool interlaced = false)
{
    static const int kChannels[] = {1, 0, 3, 1, 2, 0, 4};
    PngContents contents;
    contents.width = width;
    contents.height = height;
    contents.colorType = colorType;
    contents.bitDepth = bitDepth;
    contents.interlaced = interlaced;
    const size_t rowBytes = (static_cast<size_t>(width) * kChannels[colorType] * bitDepth + 7) / 8;
    contents.rows = Samples(rowBytes * static_cast<size_t>(height));
    if (colorType == 3)
        contents.palette = Samples(3u << bitDepth); // every index of the depth has an entry
    return contents;
}

std::vector<Seed> WriteSeeds(const std::string& scratch)
{
    std::vector<PngContents> pngs = {
        Png(9, 7, 2, 8),  Png(6, 5, 6, 8), Png(8, 3, 3, 8),         Png(13, 4, 3, 2),      Png(17, 3, 0, 1),
        Png(5, 5, 0, 16), Png(7, 6, 4, 8), Png(11, 9, 2, 16, true), Png(4, 4, 3, 4, true),
    };
    pngs[2].alphas = {0, 128, 255};
    pngs[5].transparentGrey = 300;
    std::vector<Seed> seeds;
    for (const PngContents& png : pngs)
        if (WriteTestPng(scratch, png))
            seeds.push_back({ReadFileBytes(scratch), PNG});
    struct Jpeg {
        int width, height, components, quality;
    };
    for (const Jpeg& jpeg : {Jpeg{16, 16, 1, 90}, Jpeg{17, 9, 3, 95}, Jpeg{40, 30, 3, 30}, Jpeg{3, 70, 3, 75}}) {
        const size_t samples = static_cast<size_t>(jpeg.width) * jpeg.height * jpeg.components;
        if (WriteTestJpeg(scratch, jpeg.width, jpeg.height, jpeg.components, Samples(samples), jpeg.quality))
            seeds.push_back({ReadFileBytes(scratch), JPG});
    }
    // WebP, lossless and lossy, with and without alpha.
    for (const uint8_t opaque : {0, 255})
        for (int quality : {-1, 70}) {
            std::vector<uint8_t> bgra = Samples(19 * 11 * 4);
            for (size_t i = 3; i < bgra.size(); i += 4)
                bgra[i] |= opaque;
            seeds.push_back({WebpFile(bgra, 19, 11, quality), WEBP});
        }
    // Turned, with a colour profile: damage reaches the EXIF and ICC readers.
    for (const TurnedKind kind : {TurnedKind::JpegColour, TurnedKind::PngFourBit})
        if (WriteTurnedPicture(scratch, kind, 6, ExifBlock(6), MakeProfile(TestProfile::AdobeRgb)))
            seeds.push_back({ReadFileBytes(scratch), kind == TurnedKind::PngFourBit ? PNG : JPG});
    std::remove(scratch.c_str());
    return seeds;
}

struct Options {
    long runs = 1000;
    long seconds = 0;
    unsigned seed = 1;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const long value = std::strtol(argv[i + 1], nullptr, 10);
        if (std::strcmp(argv[i], "--runs") == 0)
            options.runs = value;
        else if (std::strcmp(argv[i], "--seconds") == 0)
            options.seconds = value;
        else if (std::strcmp(argv[i], "--seed") == 0)
            options.seed = static_cast<unsigned>(value);
        else
            return false;
    }
    return argc % 2 == 1;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: codec_mutation [--runs N | --seconds N] [--seed S]\n");
        return 2;
    }
    const std::vector<Seed> seeds = WriteSeeds("codec-mutation-seed.tmp");
    if (seeds.size() != 19) {
        std::fprintf(stderr, "codec_mutation: only %zu of 19 seed files could be written\n", seeds.size());
        return 1;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.seconds);
    Mutator mutator(options.seed);
    long loads = 0;
    long pictures = 0;
    for (;; ++loads) {
        if (options.seconds > 0 ? std::chrono::steady_clock::now() >= deadline : loads >= options.runs)
            break;
        const Seed& seed = seeds[static_cast<size_t>(loads) % seeds.size()];
        const std::string path = seed.type == PNG   ? "codec-mutation-input.png"
                                 : seed.type == JPG ? "codec-mutation-input.jpg"
                                                    : "codec-mutation-input.webp";
        WriteFileBytes(path, mutator.Mutate(seed.bytes, seed.type == PNG));
        CImageObject picture(path, seed.type);
        if (picture.GetWidth() > 0 && picture.GetHeight() > 0 && picture.IsValid())
            ++pictures;
        std::remove(path.c_str());
    }
    std::printf("codec_mutation: %ld damaged JPEG, PNG and WebP files loaded (seed %u), %ld of them gave a picture\n",
                loads, options.seed, pictures);
    return 0;
}
