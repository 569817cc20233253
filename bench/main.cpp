// image_bench: times our image library against peer decoders on the same
// files, in one process, under the same Wine and built with the same
// toolchain and flags. Every pairing runs ours and the peer alternately,
// keeps the fastest run of each, and checks that both produced the same
// pixels, so a fast but wrong path shows up as a FAULT, not as a win.
//
//   image_bench INPUTS WORK IMGCONV DJPEG [RUNS]
//
// INPUTS holds what bench_inputs wrote, WORK receives the output files,
// IMGCONV and DJPEG are the two programs compared as whole processes.
// Exit code 1 when any output check failed; missed time targets are only
// reported.
#include "common/BmpFile.h"
#include "common/Pairing.h"
#include "common/Process.h"
#include "image/ImageObject.h"
#include "peers/BmpPeer.h"
#include "peers/GifPeer.h"
#include "peers/JpegPeer.h"
#include "peers/PngPeer.h"
#include "TurnedJpeg.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

struct BenchSetup {
    std::string inputs;
    std::string work;
    std::string imgconv;
    std::string djpeg;
    int runs = 5;
};

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string CompareFiles(const std::string& oursPath, const std::string& peerPath)
{
    const auto ours = ReadWholeFile(oursPath);
    const auto peer = ReadWholeFile(peerPath);
    if (ours.empty() || peer.empty())
        return "an output file is missing or empty";
    if (ours != peer)
        return oursPath + " and " + peerPath + " differ";
    return "";
}

// Ours: the wallpaper conversion's path, load as JPG and Save to a BMP.
// picture names the input's files: "photo" (smooth) or "noisy" (grain).
bool JpegToWallpaperBmp(const BenchSetup& setup, const std::string& picture)
{
    const std::string in = setup.inputs + "\\" + picture + ".jpg";
    const std::string oursOut = setup.work + "\\" + picture + "-ours.bmp";
    const std::string peerOut = setup.work + "\\" + picture + "-libjpeg.bmp";
    auto runs = RunInterleaved(
        setup.runs,
        [&] {
            CImageObject converted(in, JPG);
            return converted.Save(oursOut, -1) == 1;
        },
        [&] { return ConvertJpegToBmp(in, peerOut); });
    PairingReport report{picture + " JPEG -> BMP vs libjpeg", runs.timing, 0.70};
    if (!runs.oursOutput || !runs.peerOutput)
        report.fault = "a conversion failed";
    else
        report.fault = CompareFiles(oursOut, peerOut);
    return PrintPairing(report);
}

// Whole processes: imgconv IN OUT.bmp against djpeg -colors 128 -bmp.
bool ImgconvAgainstDjpeg(const BenchSetup& setup, const std::string& picture)
{
    const std::string in = setup.inputs + "\\" + picture + ".jpg";
    const std::string oursOut = setup.work + "\\" + picture + "-imgconv.bmp";
    const std::string peerOut = setup.work + "\\" + picture + "-djpeg.bmp";
    auto runs = RunInterleaved(
        setup.runs, [&] { return RunProcess(Quoted(setup.imgconv) + " " + Quoted(in) + " " + Quoted(oursOut)); },
        [&] {
            return RunProcess(Quoted(setup.djpeg) + " -colors 128 -bmp -outfile " + Quoted(peerOut) + " " + Quoted(in));
        });
    PairingReport report{picture + " imgconv vs djpeg", runs.timing, 0.70};
    BmpContent ours;
    BmpContent peer;
    if (runs.oursOutput != 0 || runs.peerOutput != 0)
        report.fault = "exit codes " + std::to_string(runs.oursOutput) + " and " + std::to_string(runs.peerOutput);
    else if (ReadBmpContent(oursOut, ours, report.fault) && ReadBmpContent(peerOut, peer, report.fault))
        report.fault = CompareIndexedBmps(ours, peer);
    const bool equal = PrintPairing(report);

    // Memory in runs of their own: watching it costs time.
    size_t oursPeak = 0;
    size_t peerPeak = 0;
    RunProcessWatchingMemory(Quoted(setup.imgconv) + " " + Quoted(in) + " " + Quoted(oursOut), oursPeak);
    RunProcessWatchingMemory(Quoted(setup.djpeg) + " -colors 128 -bmp -outfile " + Quoted(peerOut) + " " + Quoted(in),
                             peerPeak);
    const double ratio = peerPeak ? static_cast<double>(oursPeak) / static_cast<double>(peerPeak) : 0;
    std::printf("%-30s ours %6.1f MB  peer %6.1f MB  ratio %5.3f  target <= 1.10x  %s\n", "  peak memory",
                oursPeak / 1048576.0, peerPeak / 1048576.0, ratio, ratio > 0 && ratio <= 1.10 ? "PASS" : "MISS");
    return equal;
}

// An ink file of the same picture and size, against the colour file, both
// ours: load as JPG and Save to a BMP.
bool InkAgainstColourJpeg(const BenchSetup& setup, const std::string& picture)
{
    const std::string ink = setup.inputs + "\\" + picture + "-ink.jpg";
    const std::string colour = setup.inputs + "\\" + picture + ".jpg";
    auto convert = [&](const std::string& in, const std::string& out) {
        CImageObject converted(in, JPG);
        return converted.Save(out, -1) == 1;
    };
    auto runs = RunInterleaved(
        setup.runs, [&] { return convert(ink, setup.work + "\\" + picture + "-ink.bmp"); },
        [&] { return convert(colour, setup.work + "\\" + picture + "-colour.bmp"); });
    PairingReport report{picture + " CMYK vs RGB JPEG (ours)", runs.timing, 1.15};
    if (!runs.oursOutput || !runs.peerOutput)
        report.fault = "a conversion failed";
    return PrintPairing(report);
}

std::string ComparePictures(const CImageObject* ours, const PeerPicture& peer, int bytesPerPixel)
{
    if (!ours || ours->GetWidth() <= 0 || !peer.pixels)
        return "a decode failed";
    if (ours->GetWidth() != peer.width || ours->GetHeight() != peer.height)
        return "sizes differ";
    if (ours->GetBitCount() != bytesPerPixel * 8)
        return "our picture has " + std::to_string(ours->GetBitCount()) + " bits per pixel";
    return CompareRows(ours->GetBits(), ours->GetRowStride(), peer.pixels.get(), peer.rowStride, peer.width,
                       peer.height, bytesPerPixel);
}

bool GifDecode(const BenchSetup& setup)
{
    const std::string in = setup.inputs + "\\photo.gif";
    auto runs = RunInterleaved(
        setup.runs, [&] { return std::make_unique<CImageObject>(in, GIF); }, [&] { return DecodeGifWithGiflib(in); });
    PairingReport report{"GIF decode vs giflib", runs.timing, 0.40};
    report.fault = ComparePictures(runs.oursOutput.get(), runs.peerOutput, 1);
    return PrintPairing(report);
}

// For a file without alpha, libspng's RGB rows must be ours with red and
// blue swapped.
std::string CompareSwapped(const CImageObject& ours, const PeerPicture& spng)
{
    for (int row = 0; row < spng.height; ++row) {
        const uint8_t* bgr = ours.GetBits() + static_cast<size_t>(row) * ours.GetRowStride();
        const uint8_t* rgb = spng.ArrayRow(row);
        for (int x = 0; x < spng.width * 3; x += 3)
            if (bgr[x] != rgb[x + 2] || bgr[x + 1] != rgb[x + 1] || bgr[x + 2] != rgb[x])
                return "libspng differs in array row " + std::to_string(row);
    }
    return "";
}

bool PngDecode(const BenchSetup& setup, const std::string& file, bool hasAlpha)
{
    const std::string in = setup.inputs + "\\" + file;
    auto runs = RunInterleaved(
        setup.runs, [&] { return std::make_unique<CImageObject>(in, PNG); }, [&] { return DecodePngWithSpng(in); });
    PairingReport report{file + " vs libspng", runs.timing, 1.0};
    const Stopwatch watch;
    const PeerPicture reference = DecodePngWithLibpng(in);
    const double libpngSeconds = watch.Seconds();
    report.fault = ComparePictures(runs.oursOutput.get(), reference, 3);
    if (!report.fault.empty())
        report.fault = "against the bare libpng loop: " + report.fault;
    else if (!runs.peerOutput.pixels)
        report.fault = "libspng failed";
    else if (!hasAlpha)
        report.fault = CompareSwapped(*runs.oursOutput, runs.peerOutput);
    const bool equal = PrintPairing(report);
    std::printf("%-30s (bare libpng loop, one run: %.3f s)\n", "", libpngSeconds);
    return equal;
}

bool BmpLoadAndSave(const BenchSetup& setup)
{
    const std::string in = setup.inputs + "\\photo.bmp";
    const std::string oursOut = setup.work + "\\bmp-ours.bmp";
    const std::string peerOut = setup.work + "\\bmp-raw.bmp";
    auto runs = RunInterleaved(
        setup.runs,
        [&] {
            CImageObject picture(in, BMP);
            return picture.Save(oursOut, -1) == 1;
        },
        [&] { return CopyBmpRaw(in, peerOut); });
    PairingReport report{"BMP load+save vs raw I/O", runs.timing, 2.0};
    if (!runs.oursOutput || !runs.peerOutput)
        report.fault = "a copy failed";
    else
        report.fault = CompareFiles(oursOut, peerOut);
    if (report.fault.empty())
        report.fault = CompareFiles(in, oursOut);
    return PrintPairing(report);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: image_bench INPUTS WORK IMGCONV DJPEG [RUNS]\n");
        return 2;
    }
    BenchSetup setup{argv[1], argv[2], argv[3], argv[4]};
    if (argc == 6)
        setup.runs = std::atoi(argv[5]);
    if (setup.runs < 1)
        setup.runs = 1;
    std::printf("image_bench: minimum and median of %d interleaved runs each; ratio = ours / peer\n", setup.runs);
    bool equal = true;
    // The smooth landscape, and the same scene at dusk with sensor grain.
    for (const std::string picture : {"photo", "noisy"}) {
        equal = JpegToWallpaperBmp(setup, picture) && equal;
        equal = ImgconvAgainstDjpeg(setup, picture) && equal;
        equal = InkAgainstColourJpeg(setup, picture) && equal;
        equal = PngDecode(setup, picture + "-rgb.png", false) && equal;
        equal = PngDecode(setup, picture + "-rgba.png", true) && equal;
    }
    equal = TurnedAgainstUprightJpeg(setup.inputs, setup.work, setup.runs) && equal;
    equal = GifDecode(setup) && equal;
    equal = BmpLoadAndSave(setup) && equal;
    return equal ? 0 : 1;
}
