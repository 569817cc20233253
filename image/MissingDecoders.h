#pragma once
// The picture formats found without a decoder on this system during this
// run, so the user can be told which one is missing rather than see its
// files skipped without a word. Readers note them on whatever thread they
// run; the window reads them.

#include <string>
#include <vector>

// `format` is a name from PictureFormatName; noting one twice keeps one.
void NoteMissingDecoder(const std::string& format);

// Every format noted so far, in the order first noted.
std::vector<std::string> MissingDecoders();
