#include "ui/menu/MenuMnemonic.h"

#include "ui/menu/OwnerDrawMenu.h"

namespace {

wchar_t UpperCase(wchar_t letter)
{
    return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(letter))));
}

// What the item at `position` shows: our record's text, else the system's.
std::wstring ItemText(HMENU menu, int position)
{
    const auto* object = dynamic_cast<const COwnerDrawMenu*>(CMenu::FromHandle(menu));
    if (const OwnerDrawItem* record = object ? object->ItemAt(position) : nullptr)
        return record->text;
    wchar_t text[256] = {};
    GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
    return text;
}

// The typed character as UTF-16: an ANSI window hears it in its code page.
wchar_t TypedCharacter(HWND window, WPARAM wp)
{
    if (IsWindowUnicode(window))
        return static_cast<wchar_t>(LOWORD(wp));
    const char typed = static_cast<char>(LOWORD(wp));
    wchar_t wide = 0;
    return MultiByteToWideChar(CP_ACP, 0, &typed, 1, &wide, 1) == 1 ? wide : 0;
}

} // namespace

wchar_t MnemonicOf(const std::wstring& text)
{
    for (size_t at = text.find(L'&'); at != std::wstring::npos && at + 1 < text.size(); at = text.find(L'&', at + 2)) {
        if (text[at + 1] != L'&')
            return text[at + 1];
    }
    return 0;
}

LRESULT AnswerMenuChar(const std::vector<std::wstring>& texts, wchar_t key, int selected)
{
    const int count = static_cast<int>(texts.size());
    std::vector<int> matches;
    for (int position = 0; position < count; ++position) {
        const wchar_t mnemonic = MnemonicOf(texts[position]);
        if (key && mnemonic && UpperCase(mnemonic) == UpperCase(key))
            matches.push_back(position);
    }
    if (matches.empty())
        return MAKELRESULT(0, MNC_IGNORE);
    if (matches.size() == 1)
        return MAKELRESULT(matches.front(), MNC_EXECUTE);
    for (int position : matches) {
        if (position > selected)
            return MAKELRESULT(position, MNC_SELECT);
    }
    return MAKELRESULT(matches.front(), MNC_SELECT);
}

LRESULT AnswerMenuChar(HWND window, WPARAM wp, LPARAM lp)
{
    HMENU menu = reinterpret_cast<HMENU>(lp);
    const int count = menu ? GetMenuItemCount(menu) : 0;
    std::vector<std::wstring> texts;
    int selected = -1;
    for (int position = 0; position < count; ++position) {
        texts.push_back(ItemText(menu, position));
        if (GetMenuState(menu, position, MF_BYPOSITION) & MF_HILITE)
            selected = position;
    }
    return AnswerMenuChar(texts, TypedCharacter(window, wp), selected);
}
