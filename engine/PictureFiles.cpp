#include "engine/PictureFiles.h"

#include "framework/FileSearch.h"
#include "image/ImageFileType.h"

#include <array>

namespace {

// The picture types in the order their files come.
constexpr std::array<int, 8> kTypeOrder = {BMP, JPG, PNG, GIF, WEBP, HEIF, AVIF, WIC};

// Where a name's picture type comes in that order, -1 for no picture. The
// folder is read once with "*" and the names sorted here by the long name
// (the image library's own rule, so every JPEG extension it reads is
// taken): that is a fraction of the directory reading of one pattern search
// per type, and no 8.3 short name (PHOTO~1.JPG) decides anything.
int ExtensionIndexOf(const std::string& name)
{
    const int type = ImageTypeForPictureFile(name);
    for (size_t index = 0; index < kTypeOrder.size(); ++index)
        if (kTypeOrder[index] == type)
            return static_cast<int>(index);
    return -1;
}

template <typename Visit> void ForEachFile(const std::string& folder, Visit visit)
{
    FileSearch search(folder + "*");
    if (!search.HasMatch())
        return;
    do
        visit(search.Data());
    while (search.Next());
}

} // namespace

int PictureFileOrder(const std::string& name)
{
    return ExtensionIndexOf(name);
}

int PictureFileOrders()
{
    return static_cast<int>(kTypeOrder.size());
}

int CountPictureFiles(const std::string& folder)
{
    int count = 0;
    ForEachFile(folder, [&](const WIN32_FIND_DATAA& match) { count += ExtensionIndexOf(match.cFileName) >= 0; });
    return count;
}

std::vector<PictureFileEntry> ReadPictureFiles(const std::string& folder, int limit)
{
    std::array<std::vector<PictureFileEntry>, kTypeOrder.size()> byExtension;
    ForEachFile(folder, [&](const WIN32_FIND_DATAA& match) {
        const int extension = ExtensionIndexOf(match.cFileName);
        if (extension >= 0)
            byExtension[extension].push_back({match.cFileName, match.ftLastWriteTime});
    });
    std::vector<PictureFileEntry> entries;
    for (auto& matches : byExtension)
        for (auto& match : matches) {
            if (static_cast<int>(entries.size()) >= limit)
                return entries;
            entries.push_back(std::move(match));
        }
    return entries;
}
