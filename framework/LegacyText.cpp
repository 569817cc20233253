#include "framework/LegacyText.h"

#include "framework/WideText.h"

#include <windows.h>

namespace {

UINT SystemAnsiCodePage()
{
    UINT codePage = 0;
    if (!GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<char*>(&codePage), sizeof codePage / sizeof(char)))
        return GetACP();
    return codePage;
}

std::string Convert(const std::string& text, UINT from, UINT to)
{
    if (text.empty() || from == to)
        return text;
    return Narrow(Widen(text, from), to);
}

} // namespace

std::string FromSystemCodePage(const std::string& text)
{
    return Convert(text, SystemAnsiCodePage(), GetACP());
}

std::string ToSystemCodePage(const std::string& text)
{
    return Convert(text, GetACP(), SystemAnsiCodePage());
}
