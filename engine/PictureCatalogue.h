#pragma once
// Which picture comes after the current one, and the catalogue that knows
// the pictures without the window's thread ever reading a folder: a worker
// walks the sources, watches them, and hands the window an unchanging
// snapshot each time the pictures change.

#include "engine/PictureSources.h"
#include "engine/PictureTree.h"

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

// `pictures` (in their fixed order) starting with the one after
// `currentPath` and going once round: the current picture, when it is
// there, comes last. When it is not there the list starts at the first.
std::vector<std::string> PicturesAfter(const std::vector<std::string>& pictures, const std::string& currentPath);

// The same over the folder of `currentPath` read from the disk now (in the
// order of PictureFiles.h). Empty when the folder holds no picture or
// cannot be read. Paths are absolute whatever `currentPath` is: a drive
// root ("C:\a.bmp") is searched as "C:\", never as the drive's current
// directory.
std::vector<std::string> PicturesAfter(const std::string& currentPath);

struct CatalogueSnapshot {
    PictureSources sources;
    PictureTree tree;
    bool sizesRead = false; // every picture's header was looked at

    bool Contains(const std::string& path) const;
    // Which of `paths` it holds, in one pass over its pictures.
    std::unordered_set<std::string> Holding(const std::vector<std::string>& paths) const;
    std::vector<std::string> Paths() const;
};

// A picture renamed while the program watched.
struct PictureRename {
    std::string from;
    std::string to;
};

class CPictureCatalogue {
  public:
    CPictureCatalogue();
    ~CPictureCatalogue();
    CPictureCatalogue(const CPictureCatalogue&) = delete;
    CPictureCatalogue& operator=(const CPictureCatalogue&) = delete;

    // `message` is posted to `window` each time the pictures change (not
    // when only their sizes came in).
    void Attach(HWND window, UINT message);
    // The worker walks these sources (again when they differ from the last).
    void SetSources(const PictureSources& sources);

    // The latest pictures; null until the first walk of the sources is done.
    std::shared_ptr<const CatalogueSnapshot> Snapshot() const;
    // Whether the latest snapshot is of `sources`.
    bool Knows(const PictureSources& sources) const;
    // The renames seen since the last call.
    std::vector<PictureRename> TakeRenames();

    class Work;

  private:
    std::shared_ptr<Work> m_work;
};
