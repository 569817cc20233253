#pragma once

#include "peers/PeerPicture.h"

#include <string>

// libspng decoding to RGB8 (alpha dropped, no compositing), each row
// decoded straight into its bottom-up place. Empty on any error.
PeerPicture DecodePngWithSpng(const std::string& path);

// A bare libpng loop with the transformations our reader asks for on 8-bit
// colour files: composite on (31, 127, 255), strip 16-bit samples, BGR
// order, rows bottom-up. The reference our pixels must equal byte for byte.
PeerPicture DecodePngWithLibpng(const std::string& path);
