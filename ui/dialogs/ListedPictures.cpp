#include "ui/dialogs/ListedPictures.h"

#include "engine/PictureFiles.h"
#include "engine/PictureTree.h"
#include "framework/Path.h"
#include "ui/dialogs/PictureFolder.h"

#include <commctrl.h>

#include <algorithm>

void ListedPictures::Read(const std::string& folder)
{
    const int count = CountPictureFiles(folder);
    std::vector<PictureFileEntry> matches = ReadPictureFiles(folder, count);
    const LocalDateFormat dates;
    std::vector<Entry> entries;
    entries.reserve(matches.size());
    for (PictureFileEntry& match : matches) {
        std::string type = GetFileExtension(match.name);
        entries.push_back({std::move(match.name), std::move(type), dates.Format(match.lastWrite)});
    }
    m_entries.swap(entries);
    m_folder.clear();
    m_dated.assign(m_entries.size(), true);
}

void ListedPictures::ReadTree(const std::string& folder)
{
    PictureSources sources;
    sources.folders.push_back(folder.size() > 3 ? folder.substr(0, folder.size() - 1) : folder);
    sources.includeSubfolders = true;
    const PictureTree tree = WalkPictureTree(sources);
    const std::string base = AbsoluteSearchFolder(sources.folders[0]);
    std::vector<Entry> entries;
    entries.reserve(tree.pictures.size());
    for (const CataloguedPicture& picture : tree.pictures) {
        // The walk gives absolute paths of the same spelling as `base`.
        std::string name =
            picture.path.compare(0, base.size(), base) == 0 ? picture.path.substr(base.size()) : picture.path;
        std::string type = GetFileExtension(FileNamePart(name));
        entries.push_back({std::move(name), std::move(type), std::string()});
    }
    m_entries.swap(entries);
    m_folder = base;
    m_dated.assign(m_entries.size(), false);
}

const std::string& ListedPictures::TreeDate(std::size_t index) const
{
    Entry& entry = m_entries[index];
    m_dated[index] = true;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExA((m_folder + entry.name).c_str(), GetFileExInfoStandard, &data))
        entry.date = LocalDateFormat().Format(data.ftLastWriteTime);
    return entry.date;
}

void ListedPictures::Clear()
{
    std::vector<Entry>().swap(m_entries);
    std::vector<bool>().swap(m_dated);
}

const std::string& ListedPictures::Text(int item, int column) const
{
    static const std::string none;
    if (item < 0 || item >= Count())
        return none;
    const std::size_t index = Count() - 1 - item;
    const Entry& entry = m_entries[index];
    switch (column) {
    case 0:
        return entry.name;
    case 1:
        return entry.type;
    case 2:
        return m_dated[index] ? entry.date : TreeDate(index);
    }
    return none;
}

int ListedPictures::Find(const std::string& text, UINT flags, int start) const
{
    // Typing in the list jumps to the next name that starts with what was
    // typed, without regard to case, as in any list of files.
    const bool partial = (flags & LVFI_PARTIAL) != 0;
    const auto matches = [&](int item) {
        const std::string& name = Text(item, 0);
        if (partial && name.size() < text.size())
            return false;
        const int length = static_cast<int>(partial ? text.size() : name.size());
        return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.c_str(), length, text.c_str(),
                              static_cast<int>(text.size())) == CSTR_EQUAL;
    };
    start = std::max(0, std::min(start, Count()));
    for (int item = start; item < Count(); ++item)
        if (matches(item))
            return item;
    if (flags & LVFI_WRAP)
        for (int item = 0; item < start; ++item)
            if (matches(item))
                return item;
    return -1;
}

int ListedPictures::IndexOf(const std::string& name) const
{
    // From the top of the list, as the user reads it.
    for (int item = 0; item < Count(); ++item)
        if (Text(item, 0) == name)
            return item;
    return -1;
}
