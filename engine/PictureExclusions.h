#pragma once
// The pictures the user never wants to see again ("Never show this
// picture"). The schedule, Next and Previous pass them over; the
// select-picture dialog still lists them, and choosing one there takes it
// off the list. Kept in the text value `Excluded`.

#include <string>
#include <vector>

class PictureExclusions {
  public:
    // At most this many; the oldest goes when one more comes.
    static constexpr std::size_t kCapacity = 250;

    // A value that is not a list (see PictureList.h) starts clean. Pictures
    // that cannot be found are kept: their drive may only be offline.
    void Load(const std::string& text);
    std::string Text() const;

    bool Contains(const std::string& picture) const;
    void Add(const std::string& picture);
    // True when the picture was on the list.
    bool Remove(const std::string& picture);
    void Clear() { m_pictures.clear(); }
    bool Empty() const { return m_pictures.empty(); }
    // `pictures` without the excluded ones, in their order.
    std::vector<std::string> Without(std::vector<std::string> pictures) const;

  private:
    std::vector<std::string> m_pictures; // oldest first
};
