#pragma once
// Which picture comes after the current one.

#include <string>
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
