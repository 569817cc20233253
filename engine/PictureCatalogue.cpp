#include "engine/PictureCatalogue.h"

#include "engine/CatalogueWork.h"

#include <algorithm>

std::vector<std::string> PicturesAfter(const std::vector<std::string>& pictures, const std::string& currentPath)
{
    std::vector<std::string> after = pictures;
    // Byte for byte and case-sensitive: a path stored with another letter
    // case counts as a different picture.
    const auto current = std::find(after.begin(), after.end(), currentPath);
    if (current != after.end())
        std::rotate(after.begin(), current + 1, after.end());
    return after;
}

std::vector<std::string> PicturesAfter(const std::string& currentPath)
{
    CatalogueSnapshot snapshot;
    snapshot.tree = WalkPictureTree(FolderOfCurrentPicture(currentPath));
    return PicturesAfter(snapshot.Paths(), currentPath);
}

bool CatalogueSnapshot::Contains(const std::string& path) const
{
    return std::any_of(tree.pictures.begin(), tree.pictures.end(),
                       [&](const CataloguedPicture& picture) { return picture.path == path; });
}

std::unordered_set<std::string> CatalogueSnapshot::Holding(const std::vector<std::string>& paths) const
{
    const std::unordered_set<std::string> wanted(paths.begin(), paths.end());
    std::unordered_set<std::string> held;
    for (const CataloguedPicture& picture : tree.pictures)
        if (wanted.count(picture.path))
            held.insert(picture.path);
    return held;
}

std::vector<std::string> CatalogueSnapshot::Paths() const
{
    std::vector<std::string> paths;
    paths.reserve(tree.pictures.size());
    for (const CataloguedPicture& picture : tree.pictures)
        paths.push_back(picture.path);
    return paths;
}

CPictureCatalogue::CPictureCatalogue() : m_work(std::make_shared<Work>()) {}

CPictureCatalogue::~CPictureCatalogue()
{
    m_work->Stop();
}

void CPictureCatalogue::Attach(HWND window, UINT message)
{
    m_work->Attach(window, message);
}

void CPictureCatalogue::SetSources(const PictureSources& sources)
{
    m_work->SetSources(sources);
}

std::shared_ptr<const CatalogueSnapshot> CPictureCatalogue::Snapshot() const
{
    return m_work->Snapshot();
}

bool CPictureCatalogue::Knows(const PictureSources& sources) const
{
    const auto snapshot = Snapshot();
    return snapshot && snapshot->sources == sources;
}

std::vector<PictureRename> CPictureCatalogue::TakeRenames()
{
    return m_work->TakeRenames();
}
