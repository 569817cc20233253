#pragma once
// Text that older copies of the program, and the build's own skin tool,
// wrote into files in the system's ANSI code page (936 on a Chinese
// system). Where this program runs with UTF-8 as its code page, such bytes
// are no UTF-8 and must be converted before they are shown.

#include <string>

// `text` in the program's code page: as it is when it is valid there;
// otherwise read in the system's ANSI code page and converted.
std::string TextInProgramCodePage(const std::string& text);
