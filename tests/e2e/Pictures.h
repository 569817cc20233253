#pragma once
// The picture folder of the journey: a.bmp, b.jpg, c.png and d.gif, one of
// each kind, in the order the program walks them. Their widths (61 to 64)
// tell apart the converted bitmaps that stand for the last three. It lies in
// the user's Pictures folder, where the select-picture dialog opens at the
// first start (and where Wine's folder browser, once it has shown that
// special folder, can still be told to select a folder below it).

#include "tests/support/TempFolder.h"

#include <string>

namespace e2e {

class PictureFolder {
  public:
    PictureFolder();

    const std::string& Folder() const { return m_folder.Path(); }
    std::string Path(const std::string& name) const { return m_folder.File(name); }
    // What the desktop shows for the picture at `path` (see ShownPicture),
    // in full colour.
    static std::string ShownAs(const std::string& path);
    // The file name of the picture after `name` in the walk, wrapping round.
    static std::string After(const std::string& name);

  private:
    testing_support::TempFolder m_folder{UsersPictures()};
    static std::string UsersPictures();
};

} // namespace e2e
