#pragma once
// A JPEG decoded for a small preview frame. The library's DCT scaling
// (1/8 to 8/8) gives the smallest picture that still covers the frame, so a
// photograph of many megapixels costs a fraction of a full decode, while the
// picture is made the way a full load makes it: 8 bits with a palette, grey
// files with 256 grey levels, colour and ink files quantised to 128 colours.

#include <string>

class CImageObject;

enum class JpegPreviewResult {
    Decoded, // picture holds the preview; judge it by its width and height
    Failed   // not a readable JPEG; a grey picture may hold the rows decoded before the error
};

struct JpegPreview {
    JpegPreviewResult result = JpegPreviewResult::Failed;
    // The size the file declares, whatever scale the picture was decoded at.
    int fileWidth = 0;
    int fileHeight = 0;
};

// Decodes fileName into picture (which loses what it held) at the smallest
// scale whose size covers coverWidth x coverHeight; at full scale when even
// that does not cover it.
JpegPreview LoadJpegPreview(const std::string& fileName, int coverWidth, int coverHeight, CImageObject& picture);
