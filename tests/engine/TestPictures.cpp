#include "tests/engine/TestPictures.h"

#include "tests/image/support/BmpBuilder.h"
#include "tests/image/support/GifEncoder.h"
#include "tests/image/support/LibraryWriters.h"
#include "tests/image/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

using testing_support::TempFolder;

namespace {

std::string LowerExtension(const std::string& path)
{
    const auto dot = path.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// A gradient, so no encoder can shrink the picture to nothing.
std::vector<uint8_t> RgbSamples(int width, int height)
{
    std::vector<uint8_t> samples;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            samples.push_back(static_cast<uint8_t>(x * 255 / std::max(1, width - 1)));
            samples.push_back(static_cast<uint8_t>(y * 255 / std::max(1, height - 1)));
            samples.push_back(128);
        }
    return samples;
}

bool WriteBmp(const std::string& path, int width, int height)
{
    BmpContents contents;
    contents.width = width;
    contents.height = height;
    contents.bitCount = 24;
    contents.pixels.assign(static_cast<size_t>(StrideOf(24, width)) * height, 0x80);
    WriteFileBytes(path, BuildBmp(contents));
    return true;
}

bool WritePng(const std::string& path, int width, int height)
{
    PngContents contents;
    contents.width = width;
    contents.height = height;
    contents.rows = RgbSamples(width, height);
    return WriteTestPng(path, contents);
}

bool WriteGif(const std::string& path, int width, int height)
{
    GifContents contents;
    contents.width = width;
    contents.height = height;
    contents.globalTable = RampTable(256);
    for (int i = 0; i < width * height; ++i)
        contents.pixels.push_back(static_cast<uint8_t>(i));
    WriteFileBytes(path, EncodeGif(contents));
    return true;
}

} // namespace

bool WritePicture(const std::string& path, int width, int height, int keptPercent)
{
    if (keptPercent < 100) {
        if (!WritePicture(path, width, height))
            return false;
        std::vector<uint8_t> bytes = ReadFileBytes(path);
        bytes.resize(bytes.size() * keptPercent / 100);
        WriteFileBytes(path, bytes);
        return true;
    }
    const std::string extension = LowerExtension(path);
    if (extension == "bmp")
        return WriteBmp(path, width, height);
    if (extension == "jpg" || extension == "jpeg")
        return WriteTestJpeg(path, width, height, 3, RgbSamples(width, height));
    if (extension == "png")
        return WritePng(path, width, height);
    if (extension == "gif")
        return WriteGif(path, width, height);
    return false;
}

static std::optional<BITMAPINFOHEADER> BitmapHeader(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::nullopt;
    BITMAPFILEHEADER fileHeader{};
    BITMAPINFOHEADER infoHeader{};
    const bool read = std::fread(&fileHeader, sizeof fileHeader, 1, file) == 1 &&
                      std::fread(&infoHeader, sizeof infoHeader, 1, file) == 1;
    std::fclose(file);
    if (!read || fileHeader.bfType != 0x4D42)
        return std::nullopt;
    return infoHeader;
}

std::optional<std::pair<int, int>> BitmapFileSize(const std::string& path)
{
    const auto header = BitmapHeader(path);
    if (!header)
        return std::nullopt;
    return std::make_pair(static_cast<int>(header->biWidth), std::abs(static_cast<int>(header->biHeight)));
}

int BitmapBitCount(const std::string& path)
{
    const auto header = BitmapHeader(path);
    return header ? header->biBitCount : 0;
}
