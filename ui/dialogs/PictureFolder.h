#pragma once
// The picture files of one folder as the select-picture dialog lists them:
// the matches of "*.bmp", "*.jpg", "*.png" and "*.gif", in that order and,
// within a pattern, in the order the file system reports them.

#include <windows.h>

#include <string>
#include <vector>

struct PictureFileEntry {
    std::string name; // without the folder
    FILETIME lastWrite;
};

// Number of matches in `folder`, a path that ends with a backslash.
int CountPictureFiles(const std::string& folder);

// The matches in `folder`, at most `limit` of them (the first ones in the
// order above).
std::vector<PictureFileEntry> ReadPictureFiles(const std::string& folder, int limit);

// File times as the list shows them, in local time: "2024-03-05 17:08:09".
class LocalDateFormat {
  public:
    // Reads the time zone once, for every date formatted with this object.
    LocalDateFormat();
    std::string Format(const FILETIME& time) const;

  private:
    TIME_ZONE_INFORMATION m_zone{};
    bool m_hasZone = false;
};

// The file-name part of a path: the text after its last backslash, slash or
// colon (the whole path when it has none).
std::string FileNamePart(const std::string& path);

// The folder with a backslash at its end, added only when it has none.
std::string WithTrailingBackslash(const std::string& folder);
