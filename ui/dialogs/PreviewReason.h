#pragma once
// Why the select-picture dialog shows no preview of the chosen file: it
// cannot be read, or it is larger than the program takes. Said in the
// preview frame itself, where the picture would be.

#include <windows.h>

#include <string>

// The reason, in the resource module's language, for a file whose load
// failed; `fileWidth` x `fileHeight` is the size it declares (0 when
// unknown).
std::string PreviewFailureReason(int fileWidth, int fileHeight);

// Draws `reason` centred in `area` of `dc` in the dialog's colours and `font`.
void DrawPreviewReason(HDC dc, const RECT& area, HFONT font, const std::string& reason);
