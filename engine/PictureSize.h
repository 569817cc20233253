#pragma once
// A catalogued picture's width and height, upright, from its header alone:
// the sizes declared in the first bytes, turned by a JPEG's EXIF
// orientation. Nothing is decoded, so a catalogue of many thousand
// pictures reads them in the background in a few seconds.

#include "engine/PictureTree.h"

// Fills width and height (0 when the header cannot say) and sets sizeRead.
void ReadPictureSize(CataloguedPicture& picture);
