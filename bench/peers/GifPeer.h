#pragma once

#include "peers/PeerPicture.h"

#include <string>

// giflib 5: DGifSlurp of the whole file, then the first image's rows copied
// bottom-up into an 8-bit DIB layout. Empty when giflib fails.
PeerPicture DecodeGifWithGiflib(const std::string& path);
