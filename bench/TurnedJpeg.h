#pragma once

#include <string>

// A phone's portrait photograph: the 6000 x 4000 photo.jpg stored sideways
// with EXIF orientation 6 and an sRGB profile (APP1 and APP2 put into a copy
// in WORK), against the file as it is; ours both, in 128 colours (load as
// JPG, Save to a BMP) and in full colour. The turn and the profile's check
// should add at most 5 %. Checks that the turned picture is the upright one
// turned: every pixel in full colour, the size and palette in 128 colours
// (dithering runs along other rows there).
bool TurnedAgainstUprightJpeg(const std::string& inputs, const std::string& work, int runs);
