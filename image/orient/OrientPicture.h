#pragma once
// Turning or mirroring a decoded picture into its upright shape, for readers
// that learn the orientation only after their rows are in (a PNG's eXIf
// chunk may follow the pixels) or that hand over a finished picture.

class CImageImpl;

// Turns or mirrors picture (plain rows of 1, 4, 8 bits with their palette,
// 24 or 32 bits) as orientation (1 to 8, image/orient/Orientation.h) asks;
// quarter turns swap width and height. Orientation 1, any other value and
// pictures of other forms are left as they are at no cost. False, with the
// picture untouched, only when memory for the turned copy is short.
bool OrientPicture(CImageImpl& picture, int orientation);
