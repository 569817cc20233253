#pragma once

#include "image/io/WholeFile.h"

// The GIF reader still calls its file reader by the old name. Files are no
// longer mapped: this is the same ReadFile reader as everywhere else.
using MappedFile = WholeFile;
