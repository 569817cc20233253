#pragma once
// The order of "Shuffle": every picture once, in a random order, before
// any comes again. Pictures added while a round runs join it at random
// places; those removed or excluded meanwhile drop out of it. What is left
// of the round is kept in the text value `ShuffleRound` (the folder all
// its pictures share, then their names below it), so a restart goes on
// with the same round.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class ShuffleRound {
  public:
    using Random = std::function<std::uint32_t()>;
    // Numbers that differ from run to run.
    static Random SystemRandom();
    explicit ShuffleRound(Random random = SystemRandom());

    // A value that names no folder starts a new round at the next change.
    void Load(const std::string& text);
    std::string Text() const;
    void Clear() { m_left.clear(); }

    // The pictures to try for the next change, in order: what is left of
    // this round that is still among `folderPictures` (full paths), with
    // the pictures that came since the last call mixed in, then a new
    // round of `folderPictures`, which never starts with `current` when it
    // has another picture.
    std::vector<std::string> Upcoming(const std::vector<std::string>& folderPictures, const std::string& current);
    // `picture`, one of the last Upcoming, is now shown: the round goes on
    // after it (in the new round when it came from there).
    void Shown(const std::string& picture);
    // A picture of the round was renamed.
    void Renamed(const std::string& from, const std::string& to);

  private:
    std::vector<std::string> MixedIn(std::vector<std::string> left, std::vector<std::string> added);

    Random m_random;
    std::vector<std::string> m_left;  // full paths
    std::vector<std::string> m_next;  // the new round offered by the last Upcoming
    std::vector<std::string> m_known; // sorted: the pictures of the last Upcoming
};
