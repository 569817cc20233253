#include "ReplacedConversion.h"

#include "engine/WallpaperChanger.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 16000;
constexpr int kHeight = 12000;

// Row by row, so the bench never holds the whole picture.
bool WriteLargeJpeg(const std::string& path)
{
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct compress{};
    jpeg_error_mgr errors{};
    compress.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compress);
    jpeg_stdio_dest(&compress, file);
    compress.image_width = kWidth;
    compress.image_height = kHeight;
    compress.input_components = 3;
    compress.in_color_space = JCS_RGB;
    jpeg_set_defaults(&compress);
    jpeg_set_quality(&compress, 85, TRUE);
    jpeg_start_compress(&compress, TRUE);
    std::vector<JSAMPLE> row(kWidth * 3);
    while (compress.next_scanline < compress.image_height) {
        const unsigned y = compress.next_scanline;
        for (int x = 0; x < kWidth; ++x) {
            row[x * 3] = static_cast<JSAMPLE>(x * 255 / kWidth);
            row[x * 3 + 1] = static_cast<JSAMPLE>(y * 255 / kHeight);
            row[x * 3 + 2] = static_cast<JSAMPLE>((x ^ y) & 0xFF);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&compress, rows, 1);
    }
    jpeg_finish_compress(&compress);
    jpeg_destroy_compress(&compress);
    std::fclose(file);
    return true;
}

bool WriteSmallBmp(const std::string& path)
{
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    const DWORD pixels = 8 * 8 * 4;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + pixels;
    info.biSize = sizeof info;
    info.biWidth = info.biHeight = 8;
    info.biPlanes = 1;
    info.biBitCount = 32;
    std::vector<char> bytes(file.bfSize);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = WriteFile(handle, bytes.data(), file.bfSize, &written, nullptr) && written == file.bfSize;
    CloseHandle(handle);
    return ok;
}

class Host : public WallpaperChangerHost {
  public:
    Host() : m_window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {
        changer.SetWindow(m_window);
    }
    ~Host() override { DestroyWindow(m_window); }
    // Hands the job's messages to the changer until `done` or `milliseconds` passed.
    template <typename Done> void Pump(Done done, DWORD milliseconds)
    {
        for (DWORD start = GetTickCount(); !done() && GetTickCount() - start < milliseconds; Sleep(1)) {
            MSG msg;
            while (PeekMessageA(&msg, m_window, kMessage, kMessage, PM_REMOVE))
                changer.OnJobFinished();
        }
    }

    std::string CurrentPicture() const override { return picture; }
    WallpaperOptions CurrentWallpaperOptions() const override { return {0, 0, false}; }
    std::vector<std::string> NextPictures() override { return {}; }
    std::vector<std::string> PreviousPictures() override { return {}; }
    void MoveToPicture(const std::string& next, bool) override { picture = next; }
    void WallpaperShown() override { shown = picture; }
    void NoReadablePicture() override {}

    static constexpr UINT kMessage = WM_APP + 2;
    CWallpaperChanger changer{*this, kMessage};
    std::string picture;
    std::string shown;

  private:
    HWND m_window;
};

double Now()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) * 1000 / frequency.QuadPart;
}

} // namespace

double ReplacedConversionMilliseconds(const std::string& folder)
{
    const std::string large = folder + "\\large.jpg";
    // A copy under another name: the changer would show its own conversion
    // of the same file again without converting.
    const std::string copy = folder + "\\large copy.jpg";
    const std::string small = folder + "\\small.bmp";
    if (!WriteLargeJpeg(large) || !CopyFileA(large.c_str(), copy.c_str(), FALSE) || !WriteSmallBmp(small))
        return -1;
    Host host;
    // The whole conversion first, for scale; then again, replaced a
    // quarter of the way.
    double start = Now();
    host.picture = large;
    host.changer.Request(WallpaperRequest::Chosen);
    host.Pump([&] { return !host.changer.Busy(); }, 60000);
    const double whole = Now() - start;
    std::printf("the JPEG's whole conversion: %.0f ms (%s)\n", whole, host.shown.c_str());
    host.picture = small;
    host.changer.Request(WallpaperRequest::Chosen);
    host.Pump([&] { return !host.changer.Busy(); }, 60000);
    host.picture = copy;
    host.changer.Request(WallpaperRequest::Chosen);
    host.Pump([] { return false; }, static_cast<DWORD>(whole / 4));
    if (!host.changer.Busy())
        std::printf("the JPEG's conversion was over before it was replaced\n");
    start = Now();
    host.picture = small;
    host.changer.Request(WallpaperRequest::Chosen);
    host.Pump([&] { return host.shown == small; }, 60000);
    const double took = Now() - start;
    host.Pump([&] { return !host.changer.Busy(); }, 60000);
    std::printf("the replaced conversion ended %.0f ms after the BMP's request\n", Now() - start);
    return host.shown == small ? took : -1;
}
