#include "image/ImageFileType.h"

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
    return -1;
}
