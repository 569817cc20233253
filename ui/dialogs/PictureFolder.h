#pragma once
// The picture files of one folder as the select-picture dialog lists them:
// the matches of "*.bmp", "*.jpg", "*.png" and "*.gif", in that order and,
// within a pattern, in the order the file system reports them.

#include <windows.h>

#include <functional>
#include <string>

// Number of matches in `folder`, a path that ends with a backslash.
int CountPictureFiles(const std::string& folder);

// Calls `found` for each match in `folder`, at most `limit` times; returns
// how many it called it for.
int VisitPictureFiles(const std::string& folder, int limit, const std::function<void(const WIN32_FIND_DATAA&)>& found);

// A file time as the list shows it, in local time: "2024-03-05 17:08:09".
std::string FormatFileDate(const FILETIME& time);

// The file-name part of a path: the text after its last backslash, slash or
// colon (the whole path when it has none).
std::string FileNamePart(const std::string& path);

// The folder with exactly one backslash at its end.
std::string WithTrailingBackslash(const std::string& folder);
