#pragma once
// The skin description file holds its texts in the system's ANSI code page
// (936 on a Chinese system), as older copies of the program and the build's
// skin tool write them. Where this program runs with UTF-8 as its own code
// page, its texts go through these on their way in and out of such files;
// elsewhere both code pages are one and the texts stay as they are.

#include <string>

std::string FromSystemCodePage(const std::string& text);
std::string ToSystemCodePage(const std::string& text);
