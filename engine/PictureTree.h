#pragma once
// The pictures of the sources, read from the disk in their fixed order:
// source by source, each folder's own pictures in the order of
// PictureFiles.h, then (with subfolders on) each subfolder the same way,
// depth first, in the order the file system lists them. A link or junction
// that leads to a folder already on the way is not followed again; hidden
// and system folders are skipped.

#include "engine/PictureSources.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct CataloguedPicture {
    std::string path; // absolute
    // From the file's header, upright (after its orientation); 0 until read
    // or when it cannot be read.
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t order = 0; // where its type comes in the order of PictureFiles.h
    bool sizeRead = false;  // the header was looked at
};

struct PictureTreeLimits {
    int depth = 32;              // folders below a source
    std::size_t count = 1000000; // pictures in all
};

struct PictureTree {
    std::vector<CataloguedPicture> pictures;
    // Source folders that could not be read (gone, offline).
    std::vector<std::string> missingFolders;
    bool depthCapped = false;
    bool countCapped = false;
    bool stopped = false; // the walk was told to stop: the list is not whole
};

// The absolute folder a search of `folder` reads, ending with a backslash:
// "C:" is the root of C (as a search of "C:\*" reads it), "" the root of
// the current drive.
std::string AbsoluteSearchFolder(const std::string& folder);

// Walks the sources. `stop`, asked between folders and every few hundred
// files, ends the walk early when it answers true.
PictureTree WalkPictureTree(const PictureSources& sources, const std::function<bool()>& stop = {},
                            const PictureTreeLimits& limits = {});
