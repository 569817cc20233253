// region_bench: times the skin's region builder (one read of the pixels,
// runs per row, one region from banded rectangles) against a bare peer
// written here (the same runs, a region per row, rows combined pairwise)
// on a smooth and a scattered 400 x 300 mask, and reports the plain
// per-pixel scan for scale. All three regions must be equal.
//
//   region_bench [RUNS]
#include "common/Pairing.h"
#include "common/Stopwatch.h"
#include "tests/skin/support/MaskBitmap.h"
#include "tests/skin/support/PerPixelRegion.h"
#include "ui/skin/SkinRegion.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr double kTarget = 2.0;

// Ours: what BuildRegionFromBitmap does once the picture is a device bitmap,
// and the region the window then makes from the data.
CRgn OursRegion(HDC dc, HBITMAP bitmap)
{
    return RegionFromData(OpaqueRegionData(dc, bitmap, kWidth, kHeight));
}

// The peer: the obvious fast way. Read the pixels once, one region per row
// from that row's runs, then OR the rows together pairwise.
CRgn PeerRegion(HDC dc, HBITMAP bitmap)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> pixels(size_t(kWidth) * kHeight);
    GetDIBits(dc, bitmap, 0, kHeight, pixels.data(), &info, DIB_RGB_COLORS);
    const uint32_t key = pixels[0] & 0xFFFFFF;

    std::vector<HRGN> rows;
    std::vector<uint8_t> data;
    for (int y = 0; y < kHeight; ++y) {
        const uint32_t* row = &pixels[size_t(y) * kWidth];
        std::vector<RECT> rects;
        for (int x = 0; x < kWidth;) {
            while (x < kWidth && (row[x] & 0xFFFFFF) == key)
                ++x;
            const int left = x;
            while (x < kWidth && (row[x] & 0xFFFFFF) != key)
                ++x;
            if (x > left)
                rects.push_back({left, y, x, y + 1});
        }
        if (rects.empty())
            continue;
        data.assign(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT), 0);
        auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
        header->dwSize = sizeof(RGNDATAHEADER);
        header->iType = RDH_RECTANGLES;
        header->nCount = static_cast<DWORD>(rects.size());
        header->nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
        header->rcBound = {rects.front().left, y, rects.back().right, y + 1};
        std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
        rows.push_back(
            ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data())));
    }
    if (rows.empty())
        return CRgn(CreateRectRgn(0, 0, 0, 0));
    for (size_t step = 1; step < rows.size(); step *= 2) {
        for (size_t i = 0; i + step < rows.size(); i += 2 * step) {
            CombineRgn(rows[i], rows[i], rows[i + step], RGN_OR);
            DeleteObject(rows[i + step]);
        }
    }
    return CRgn(rows[0]);
}

bool RunMask(const char* name, const std::function<bool(int, int)>& opaque, int runs)
{
    const CBitmap bitmap = MakeMaskBitmap(kWidth, kHeight, opaque);
    WindowDc screen(nullptr);
    auto timed = RunInterleaved(
        runs, [&] { return OursRegion(screen.Get(), bitmap); }, [&] { return PeerRegion(screen.Get(), bitmap); });

    // The plain scan, once: it takes seconds on a scattered mask.
    OwnedDc memory(CreateCompatibleDC(screen.Get()));
    CRgn perPixel;
    double perPixelSeconds = 0;
    {
        ScopedSelectObject select(memory.Get(), bitmap);
        const Stopwatch watch;
        perPixel = PerPixelRegion(memory.Get(), kWidth, kHeight);
        perPixelSeconds = watch.Seconds();
    }

    std::string fault;
    if (!EqualRgn(timed.oursOutput, timed.peerOutput))
        fault = "ours and the peer's regions differ";
    else if (!EqualRgn(timed.oursOutput, perPixel))
        fault = "ours and the per-pixel region differ";
    const double ratio = timed.timing.ours / timed.timing.peer;
    std::printf("region %-9s ours %8.3f ms  peer (rows, pairwise OR) %8.3f ms  ratio %5.2f  target <= %.1fx  %s\n",
                name, timed.timing.ours * 1000, timed.timing.peer * 1000, ratio, kTarget,
                ratio <= kTarget ? "PASS" : "MISS");
    std::printf("region %-9s per-pixel scan %10.1f ms  (%.0fx ours)\n", name, perPixelSeconds * 1000,
                perPixelSeconds / timed.timing.ours);
    if (!fault.empty())
        std::printf("region %-9s FAULT: %s\n", name, fault.c_str());
    std::fflush(stdout);
    return fault.empty();
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(5, std::atoi(argv[1])) : 9;
    bool equal = RunMask(
        "smooth", [](int x, int y) { return SmoothMask(x, y, kWidth, kHeight); }, runs);
    equal = RunMask("scattered", ScatteredMask(7, 50), runs) && equal;
    return equal ? 0 : 1;
}
