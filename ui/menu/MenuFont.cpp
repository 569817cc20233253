#include "ui/menu/MenuFont.h"

namespace {

// The character set of the system language's own code page: GB2312 on a
// Chinese system even though the program's code page is UTF-8.
BYTE SystemLanguageCharset()
{
    DWORD codePage = 0;
    const LCID locale = MAKELCID(GetSystemDefaultLangID(), SORT_DEFAULT);
    if (!GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPSTR>(&codePage),
                        sizeof codePage / sizeof(char)))
        return DEFAULT_CHARSET;
    CHARSETINFO info = {};
    if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(codePage)), &info, TCI_SRCCODEPAGE))
        return DEFAULT_CHARSET;
    return static_cast<BYTE>(info.ciCharset);
}

} // namespace

CFont CreateMenuFont()
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    CFont font;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return font;
    // The menus hold texts of the system's language. A program whose code
    // page is UTF-8 can be given the Western set here (Wine does), and a
    // Chinese text then finds no font linked for its characters.
    metrics.lfMenuFont.lfCharSet = SystemLanguageCharset();
    font.CreateFontIndirect(metrics.lfMenuFont);
    return font;
}
