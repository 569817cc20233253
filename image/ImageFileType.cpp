#include "image/ImageFileType.h"

#include "image/SystemDecoders.h"

#include <cctype>

namespace {

std::string Lowercase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

int CompareNoCase(const std::string& a, const char* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        const int ca = std::toupper(static_cast<unsigned char>(a[i]));
        const int cb = std::toupper(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca - cb;
    }
    if (i < a.size())
        return 1;
    return b[i] == '\0' ? 0 : -1;
}

struct TypeName {
    const char* literal;
    ImageFileType type;
};

// Sorted by literal for the binary search.
constexpr TypeName kTypeTable[] = {
    {"BMP", BMP}, {"GIF", GIF}, {"JPG", JPG}, {"PNG", PNG}, {"XPM", XPM},
};

struct NamedFormat {
    const char* extension; // lowercase
    ImageFileType type;
    const char* name;
};

// The formats we read through a library that may be missing (HEIF and AVIF
// come from a DLL beside the program) or through the system's decoders,
// which differ from one system to the next.
constexpr NamedFormat kNamedFormats[] = {
    {"heic", HEIF, "HEIC/HEIF"}, {"heif", HEIF, "HEIC/HEIF"}, {"hif", HEIF, "HEIC/HEIF"},       {"avif", AVIF, "AVIF"},
    {"tif", WIC, "TIFF"},        {"tiff", WIC, "TIFF"},       {"jxr", WIC, "JPEG XR"},          {"wdp", WIC, "JPEG XR"},
    {"hdp", WIC, "JPEG XR"},     {"jxl", WIC, "JPEG XL"},     {"dng", WIC, "Camera raw (DNG)"},
};

const NamedFormat* FindNamedFormat(const std::string& extension)
{
    for (const NamedFormat& format : kNamedFormats)
        if (extension == format.extension)
            return &format;
    return nullptr;
}

// Formats of the system's decoders that we read ourselves or that are no
// pictures to show.
bool IsOwnOrIconExtension(const std::string& extension)
{
    static const char* const kOwn[] = {"bmp", "dib", "rle",  "jpg", "jpeg", "jpe",  "jfif", "exif", "png",
                                       "gif", "ico", "icon", "cur", "webp", "heic", "heif", "hif",  "avif"};
    for (const char* own : kOwn)
        if (extension == own)
            return true;
    return false;
}

} // namespace

int ImageTypeFromExtension(const std::string& extension)
{
    if (extension.empty())
        return -1;
    int low = 0;
    int high = static_cast<int>(sizeof kTypeTable / sizeof kTypeTable[0]) - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int order = CompareNoCase(extension, kTypeTable[middle].literal);
        if (order == 0)
            return kTypeTable[middle].type;
        if (order < 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    return -1;
}

int ImageTypeFromFileName(const std::string& fileName)
{
    const std::string::size_type start = FindExtension(fileName);
    if (start == std::string::npos)
        return -1;
    return ImageTypeFromExtension(fileName.substr(start));
}

int ImageTypeForPictureFile(const std::string& path)
{
    const std::string extension = Lowercase(GetFileExtension(path));
    if (extension == "jpg" || extension == "jpeg" || extension == "jpe" || extension == "jfif")
        return JPG;
    if (extension == "gif")
        return GIF;
    if (extension == "png")
        return PNG;
    if (extension == "bmp")
        return BMP;
    if (extension == "webp")
        return WEBP;
    if (const NamedFormat* format = FindNamedFormat(extension))
        return format->type;
    if (extension.empty() || IsOwnOrIconExtension(extension))
        return -1;
    return SystemDecodesExtension(extension) ? WIC : -1;
}

std::string PictureFormatName(const std::string& path)
{
    const NamedFormat* format = FindNamedFormat(Lowercase(GetFileExtension(path)));
    return format ? format->name : std::string();
}
