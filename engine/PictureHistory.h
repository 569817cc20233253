#pragma once
// The pictures shown before the current one, newest first, for "Previous
// picture": the last 50, kept in the text value `History`.

#include "engine/PictureExclusions.h"

#include <functional>
#include <string>
#include <vector>

class PictureHistory {
  public:
    static constexpr std::size_t kCapacity = 50;
    // Whether a picture file is there now; the caller says how it knows.
    using PictureThere = std::function<bool(const std::string& path)>;

    // A value that is not a list (see PictureList.h) starts clean. Pictures
    // that cannot be found are kept (their drive may be offline; looking
    // would stall the start on an unreachable share) and only passed over
    // when Previous chooses.
    void Load(const std::string& text);
    std::string Text() const;
    const std::vector<std::string>& Pictures() const { return m_pictures; }

    // `picture` was on the desktop until another took its place.
    void Record(const std::string& picture, const PictureThere& there);
    // Where Previous can go, newest first: the pictures still there and not
    // excluded, other than `current`.
    std::vector<std::string> Candidates(const std::string& current, const PictureExclusions& excluded,
                                        const PictureThere& there) const;
    // Previous went back to `picture`: it and everything shown after it
    // leave the history, so the next Previous goes further back.
    void WentBackTo(const std::string& picture);

  private:
    std::vector<std::string> m_pictures; // newest first
};
