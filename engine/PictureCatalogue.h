#pragma once
// Which picture comes after the current one. Nothing is cached: the folder
// of the current picture is searched anew each time, so pictures added or
// removed in between are taken into account.

#include <string>
#include <vector>

// Every picture of the folder of `currentPath` (in the order of
// PictureFiles.h), starting with the one after `currentPath` and going once
// round: the current picture, when it is there, comes last. When it is not
// there the list starts at the first picture. Empty when the folder holds no
// picture or cannot be read. Paths are absolute whatever `currentPath` is:
// a drive root ("C:\a.bmp") is searched as "C:\", never as the drive's
// current directory.
std::vector<std::string> PicturesAfter(const std::string& currentPath);
