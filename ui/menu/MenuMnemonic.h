#pragma once
// The letters underlined in our menus. The items are owner-drawn, so the
// system sees no text in them and asks the window that tracks the menu
// (WM_MENUCHAR) which item a typed letter means; these answer from the
// items' own texts, as the system does for plain items: the one item with
// that letter is chosen, and of several the next after the selected one is
// selected only, each press moving on.

#include <windows.h>

#include <string>
#include <vector>

// The letter after the first single "&" of a menu text ("&&" is an
// ampersand), 0 for none.
wchar_t MnemonicOf(const std::wstring& text);

// The answer for `key` in a menu of these texts whose selected item is at
// `selected` (-1 for none): MAKELRESULT(position, MNC_EXECUTE or
// MNC_SELECT), or 0 (MNC_IGNORE) when no item has that letter.
LRESULT AnswerMenuChar(const std::vector<std::wstring>& texts, wchar_t key, int selected);

// The answer to WM_MENUCHAR as `window` received it.
LRESULT AnswerMenuChar(HWND window, WPARAM wp, LPARAM lp);
