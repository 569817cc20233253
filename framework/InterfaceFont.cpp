#include "framework/InterfaceFont.h"

#include "framework/Dpi.h"

#include <cstddef>
#include <cstring>
#include <optional>

namespace {

// The system's interface fonts as a window at `dpi` should show them.
std::optional<NONCLIENTMETRICSW> InterfaceMetrics(UINT dpi)
{
    // Windows 10 1607 and later answer for any DPI; looked up, so the
    // program still starts on older systems.
    using ForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto forDpi = reinterpret_cast<ForDpiFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "SystemParametersInfoForDpi")));
    // The full structure of Vista and later, which the call asks for; our
    // headers target older systems and end before its last field.
    struct {
        NONCLIENTMETRICSW metrics;
        int paddedBorderWidth;
    } full = {};
    full.metrics.cbSize = sizeof full;
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof full, &full, 0, dpi))
        return full.metrics;
    // Older systems give the fonts at their one DPI: scaled from it.
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return std::nullopt;
    const int systemDpi = static_cast<int>(WindowDpi(nullptr));
    metrics.lfMenuFont.lfHeight = MulDiv(metrics.lfMenuFont.lfHeight, static_cast<int>(dpi), systemDpi);
    metrics.lfStatusFont.lfHeight = MulDiv(metrics.lfStatusFont.lfHeight, static_cast<int>(dpi), systemDpi);
    return metrics;
}

LOGFONTA NarrowFont(const LOGFONTW& wide)
{
    LOGFONTA font = {};
    static_assert(offsetof(LOGFONTA, lfFaceName) == offsetof(LOGFONTW, lfFaceName));
    std::memcpy(&font, &wide, offsetof(LOGFONTA, lfFaceName));
    WideCharToMultiByte(CP_ACP, 0, wide.lfFaceName, -1, font.lfFaceName, LF_FACESIZE, nullptr, nullptr);
    font.lfFaceName[LF_FACESIZE - 1] = '\0';
    return font;
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

CFont CreateMenuFont(UINT dpi)
{
    const auto metrics = InterfaceMetrics(dpi);
    return metrics ? CreateInterfaceFont(NarrowFont(metrics->lfMenuFont)) : CFont();
}

CFont CreateToolTipFont(UINT dpi)
{
    const auto metrics = InterfaceMetrics(dpi);
    return metrics ? CreateInterfaceFont(NarrowFont(metrics->lfStatusFont)) : CFont();
}
