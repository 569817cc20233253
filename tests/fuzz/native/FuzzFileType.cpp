// The picture type of a file from its name: any bytes as a path.
#include "image/ImageFileType.h"
#include "tests/fuzz/native/Require.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path(reinterpret_cast<const char*>(data), size);
    const std::string extension = GetFileExtension(path);
    Require(extension.size() < path.size() || (extension.empty() && path.empty()), "the extension follows a dot");
    if (!extension.empty())
        Require(path.compare(path.size() - extension.size() - 1, std::string::npos, "." + extension) == 0,
                "the extension is the text after the last dot");
    Require(extension.find('.') == std::string::npos, "no dot after the last dot");

    const std::string::size_type found = FindExtension(path);
    Require(found == std::string::npos || (found > 0 && found < path.size() && path[found - 1] == '.'),
            "FindExtension points just after a dot");
    const int fromName = ImageTypeFromFileName(path);
    Require(fromName >= -1 && fromName <= PNG, "a known type or -1");
    Require(fromName == (found == std::string::npos ? -1 : ImageTypeFromExtension(path.substr(found))),
            "the name's type is its extension's");

    const int picture = ImageTypeForPictureFile(path);
    Require(picture == -1 || (picture >= BMP && picture <= WIC && picture != XPM),
            "a picture file is of a type with a reader");
    return 0;
}
