#pragma once
// One change of the wallpaper: the picture after the current one in its
// folder becomes the wallpaper. Pictures that cannot be read are passed
// over in the same change, so a damaged file never reaches the desktop
// and never holds the sequence up.

#include <optional>
#include <string>
#include <vector>

// Shows the first picture after `currentPicture` that can be read, going at
// most once round the folder. Returns the picture the sequence has moved
// to, which becomes the current picture: the one now shown, or one that
// was read but for which no bitmap file could be written (the desktop then
// stays as it is and the next change goes on after it). Nothing when the
// folder holds no picture that can be read, or cannot be reached: the
// current picture and the desktop stay as they are until it has pictures
// again.
std::optional<std::string> ShowNextPicture(const std::string& currentPicture, int alsoDefaultUser, int style);

// The same for any sequence of pictures: the first of `pictures` that can
// be read becomes the wallpaper.
std::optional<std::string> ShowFirstReadable(const std::vector<std::string>& pictures, int alsoDefaultUser, int style);
