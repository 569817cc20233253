#include "ui/dialogs/ListedPictures.h"

#include "engine/PictureFiles.h"
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
}

void ListedPictures::Clear()
{
    std::vector<Entry>().swap(m_entries);
}

const std::string& ListedPictures::Text(int item, int column) const
{
    static const std::string none;
    if (item < 0 || item >= Count())
        return none;
    const Entry& entry = m_entries[Count() - 1 - item];
    switch (column) {
    case 0:
        return entry.name;
    case 1:
        return entry.type;
    case 2:
        return entry.date;
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
