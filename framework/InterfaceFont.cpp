#include "framework/InterfaceFont.h"

#include <optional>

namespace {

std::optional<NONCLIENTMETRICSA> InterfaceMetrics()
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return std::nullopt;
    return metrics;
}

} // namespace

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

CFont CreateInterfaceFont(LOGFONTA font)
{
    font.lfCharSet = SystemLanguageCharset();
    CFont created;
    created.CreateFontIndirect(font);
    return created;
}

CFont CreateMenuFont()
{
    const auto metrics = InterfaceMetrics();
    return metrics ? CreateInterfaceFont(metrics->lfMenuFont) : CFont();
}

CFont CreateToolTipFont()
{
    const auto metrics = InterfaceMetrics();
    return metrics ? CreateInterfaceFont(metrics->lfStatusFont) : CFont();
}
