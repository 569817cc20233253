#include "engine/PictureFiles.h"

#include "framework/FileSearch.h"
#include "framework/Path.h"

#include <array>

namespace {

// The picture extensions, in the order their files come.
constexpr std::array<const char*, 4> kPictureExtensions = {"bmp", "jpg", "png", "gif"};

// Which extension a name has among ours, -1 for none. The folder is read
// once with "*" and the names sorted by extension here: that is a quarter
// of the directory reading of four pattern searches, and it goes by the
// long name only. A search for "*.jpg" also matches the 8.3 short name that
// Windows gives "photo.jpeg" (PHOTO~1.JPG), so it would take .jpeg files
// after all.
int ExtensionIndexOf(const std::string& name)
{
    const std::string::size_type extension = FindExtension(name);
    if (extension == std::string::npos)
        return -1;
    for (size_t index = 0; index < kPictureExtensions.size(); ++index)
        if (lstrcmpiA(name.c_str() + extension, kPictureExtensions[index]) == 0)
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

int CountPictureFiles(const std::string& folder)
{
    int count = 0;
    ForEachFile(folder, [&](const WIN32_FIND_DATAA& match) { count += ExtensionIndexOf(match.cFileName) >= 0; });
    return count;
}

std::vector<PictureFileEntry> ReadPictureFiles(const std::string& folder, int limit)
{
    std::array<std::vector<PictureFileEntry>, kPictureExtensions.size()> byExtension;
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
