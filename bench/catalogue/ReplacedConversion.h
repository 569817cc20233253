#pragma once

#include <string>

// A 16,000 x 12,000 JPEG's conversion replaced part way by a BMP: the
// milliseconds from the BMP's request until the desktop shows it (the
// conversion must be stopped, not run to its end), or a negative number
// when it never showed. The JPEG is written once into `folder`.
double ReplacedConversionMilliseconds(const std::string& folder);
