#pragma once
// Fonts for our texts, which are in the system's language, made from the
// system's interface fonts. A program whose code page is UTF-8 may be handed
// those fonts with the Western character set (Wine does so); a Chinese text
// then finds no font linked for its characters and shows as boxes. These
// give each font the character set of the system language's own code page
// (GB2312 on a Chinese system), which Windows itself would name.

#include "framework/GdiObject.h"

#include <windows.h>

BYTE SystemLanguageCharset();

// `font` in the system language's character set.
CFont CreateInterfaceFont(LOGFONTA font);

// The system's fonts for menus and for tooltips (its status font), sized
// for a window at `dpi` (its monitor's, not the system's); an empty object
// when the system does not say.
CFont CreateMenuFont(UINT dpi);
CFont CreateToolTipFont(UINT dpi);
