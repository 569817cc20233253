// modern_bench INPUTS WORK IMGCONV DWEBP HEIF_CONVERT RUNS: our WebP and
// HEIC readers against their libraries' own speed on the 24-megapixel
// photo (photo.webp, photo.heic in INPUTS, made by bench/run.sh):
//   imgconv IN OUT.bmp against dwebp -bmp (both processes decode and write
//     the same 24-bit BMP, compared byte for byte);
//   the HEIC loaded as a picture against a bare libheif decode to
//     interleaved RGB in the same process (what heif-convert does before it
//     encodes its output), compared pixel for pixel; heif-convert.exe to
//     Y4M (no colour conversion at all) is timed too, for scale.
// Each pairing prints the minimum and the median of RUNS interleaved runs.
#include "common/BmpFile.h"
#include "common/Process.h"
#include "common/Stopwatch.h"

#include "image/ImageObject.h"

#include <libheif/heif.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

struct Times {
    std::vector<double> seconds;
    double Min() const { return *std::min_element(seconds.begin(), seconds.end()); }
    double Median() const
    {
        std::vector<double> sorted = seconds;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

// Ours and the peer alternately, `runs` times each.
void Interleave(int runs, const std::function<void()>& ours, const std::function<void()>& peer, Times& oursTimes,
                Times& peerTimes)
{
    for (int run = 0; run < runs; ++run)
        for (auto [call, times] : {std::make_pair(&ours, &oursTimes), std::make_pair(&peer, &peerTimes)}) {
            const Stopwatch watch;
            (*call)();
            times->seconds.push_back(watch.Seconds());
        }
}

bool Print(const char* name, const Times& ours, const Times& peer, const std::string& fault)
{
    const double ratio = ours.Median() / peer.Median();
    std::printf("%-34s ours min %.3f s median %.3f s | peer min %.3f s median %.3f s | ratio min %.3f median %.3f "
                "(target <= 1.05) %s%s\n",
                name, ours.Min(), ours.Median(), peer.Min(), peer.Median(), ours.Min() / peer.Min(), ratio,
                ratio <= 1.05 ? "PASS" : "MISS", fault.empty() ? "" : (" FAULT " + fault).c_str());
    return fault.empty();
}

bool WebpPairing(const std::string& inputs, const std::string& work, const std::string& imgconv,
                 const std::string& dwebp, int runs)
{
    const std::string in = inputs + "\\photo.webp", ours = work + "\\ours-webp.bmp", peer = work + "\\dwebp.bmp";
    Times oursTimes, peerTimes;
    Interleave(
        runs, [&] { RunProcess(Quoted(imgconv) + " " + Quoted(in) + " " + Quoted(ours)); },
        [&] { RunProcess(Quoted(dwebp) + " -quiet -bmp " + Quoted(in) + " -o " + Quoted(peer)); }, oursTimes,
        peerTimes);
    BmpContent a, b;
    std::string why;
    if (!ReadBmpContent(ours, a, why) || !ReadBmpContent(peer, b, why))
        return Print("WebP: imgconv vs dwebp -bmp", oursTimes, peerTimes, why);
    if (a.width != b.width || a.height != b.height || a.bitCount != 24 || b.bitCount != 24)
        return Print("WebP: imgconv vs dwebp -bmp", oursTimes, peerTimes, "sizes");
    return Print("WebP: imgconv vs dwebp -bmp", oursTimes, peerTimes,
                 CompareRows(a.pixels.data(), a.rowStride, b.pixels.data(), b.rowStride, a.width, a.height, 3));
}

// libheif alone: the primary picture decoded to red, green, blue rows.
heif_image* BareHeifDecode(const std::vector<uint8_t>& file)
{
    heif_context* context = heif_context_alloc();
    heif_image_handle* handle = nullptr;
    heif_image* image = nullptr;
    if (heif_context_read_from_memory_without_copy(context, file.data(), file.size(), nullptr).code == heif_error_Ok &&
        heif_context_get_primary_image_handle(context, &handle).code == heif_error_Ok)
        heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr);
    heif_image_handle_release(handle);
    heif_context_free(context);
    return image;
}

bool HeifPairing(const std::string& inputs, const std::string& work, const std::string& heifConvert, int runs)
{
    const std::string in = inputs + "\\photo.heic";
    Times oursTimes, peerTimes, toolTimes;
    std::unique_ptr<CImageObject> picture;
    heif_image* peer = nullptr;
    Interleave(
        runs,
        [&] {
            picture.reset(); // the last picture goes first, as the peer's does
            picture.reset(new CImageObject(in, HEIF));
        },
        [&] {
            // The file is read inside the timed span, as our reader reads it.
            heif_image_release(peer);
            peer = BareHeifDecode(ReadWholeFile(in));
        },
        oursTimes, peerTimes);
    const CImageObject& ours = *picture;
    std::string fault = peer && ours.GetWidth() > 0 ? "" : "a side refused the file";
    int stride = 0;
    const uint8_t* rows = peer ? heif_image_get_plane_readonly(peer, heif_channel_interleaved, &stride) : nullptr;
    for (int y = 0; rows && fault.empty() && y < ours.GetHeight(); ++y)
        for (int x = 0; x < ours.GetWidth(); ++x) {
            uint8_t r = 0, g = 0, b = 0;
            ours.GetPixelColor(x, ours.GetHeight() - 1 - y, r, g, b);
            const uint8_t* p = rows + static_cast<size_t>(y) * stride + x * 3;
            if (r != p[0] || g != p[1] || b != p[2]) {
                fault = "pixel " + std::to_string(x) + "," + std::to_string(y);
                break;
            }
        }
    heif_image_release(peer);
    const bool equal = Print("HEIC: picture vs bare libheif", oursTimes, peerTimes, fault);
    Times unused;
    Interleave(
        runs, [&] { RunProcess(Quoted(heifConvert) + " --quiet " + Quoted(in) + " " + Quoted(work + "\\heif.y4m")); },
        [] {}, toolTimes, unused);
    std::printf("%-34s min %.3f s median %.3f s (YUV out, no colour conversion)\n", "  heif-convert.exe to Y4M",
                toolTimes.Min(), toolTimes.Median());
    return equal;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 7) {
        std::fprintf(stderr, "usage: modern_bench INPUTS WORK IMGCONV DWEBP HEIF_CONVERT RUNS\n");
        return 2;
    }
    const int runs = std::max(5, std::atoi(argv[6]));
    const bool webp = WebpPairing(argv[1], argv[2], argv[3], argv[4], runs);
    const bool heif = HeifPairing(argv[1], argv[2], argv[5], runs);
    return webp && heif ? 0 : 1;
}
