#pragma once
// Where the pictures come from: the folders the user chose (the text value
// `Folders`, paths joined by '|') and whether the folders below them count
// (`IncludeSubfolders`, "1" or "0"). With neither stored, the pictures are
// those of the current picture's folder alone, as they always were.

#include <string>
#include <vector>

class CRegistryKey;

struct PictureSources {
    std::vector<std::string> folders; // absolute, without a trailing backslash (but "C:\")
    bool includeSubfolders = false;

    bool operator==(const PictureSources& other) const
    {
        return folders == other.folders && includeSubfolders == other.includeSubfolders;
    }
    bool operator!=(const PictureSources& other) const { return !(*this == other); }
};

// At most this many folders are taken from the value.
constexpr std::size_t kMostPictureFolders = 256;

// The folders of a `Folders` value. Only what can be a folder of its own is
// kept: an absolute path (a drive's "C:\..." or a share's "\\server\share..."),
// no device ("\\.\", "\\?\", "CON", "NUL" ...), no control character, short
// enough for the system, each folder once. A damaged part loses only
// itself; whether a folder is there now is the catalogue's concern, since a
// card or a share can come back.
std::vector<std::string> ParsePictureFolders(const std::string& text);
std::string JoinPictureFolders(const std::vector<std::string>& folders);

// The sources as the settings key holds them. `currentPicture` gives the
// folder when `Folders` is missing, of another type, or holds no folder.
PictureSources ReadPictureSources(const CRegistryKey& key, const std::string& currentPicture);

// The sources of the program before it had the two values: the folder of
// `currentPicture` (the root of the current drive when it names none).
PictureSources FolderOfCurrentPicture(const std::string& currentPicture);

// Whether a walk of `sources` would reach `path`: a file straight in one of
// the folders, or below one when subfolders count.
bool SourcesCover(const PictureSources& sources, const std::string& path);
