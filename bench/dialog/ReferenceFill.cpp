#include "dialog/ReferenceFill.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const char* const kPatterns[] = {"\\*.bmp", "\\*.jpg", "\\*.png", "\\*.gif"};

struct Texts {
    char name[MAX_PATH];
    char type[MAX_PATH];
    char date[32];
};

void MakeTexts(const WIN32_FIND_DATAA& match, Texts& texts)
{
    std::strcpy(texts.name, match.cFileName);
    const char* dot = std::strrchr(match.cFileName, '.');
    std::strcpy(texts.type, dot ? dot + 1 : "");
    SYSTEMTIME universal;
    SYSTEMTIME local;
    FileTimeToSystemTime(&match.ftLastWriteTime, &universal);
    SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local);
    std::snprintf(texts.date, sizeof texts.date, "%04d-%02d-%02d %02d:%02d:%02d", local.wYear, local.wMonth, local.wDay,
                  local.wHour, local.wMinute, local.wSecond);
}

} // namespace

int ReferenceFill(HWND list, const std::string& folder)
{
    int count = 0;
    WIN32_FIND_DATAA match;
    for (const char* pattern : kPatterns) {
        HANDLE search = FindFirstFileA((folder + pattern).c_str(), &match);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do
            ++count;
        while (FindNextFileA(search, &match));
        FindClose(search);
    }
    std::vector<Texts> texts(count);
    int filled = 0;
    for (const char* pattern : kPatterns) {
        HANDLE search = FindFirstFileA((folder + pattern).c_str(), &match);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do
            if (filled < count)
                MakeTexts(match, texts[filled++]);
        while (FindNextFileA(search, &match));
        FindClose(search);
    }

    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_SETITEMCOUNT, filled, 0);
    for (int position = 0; position < filled; ++position) {
        Texts& entry = texts[filled - 1 - position];
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = position;
        item.pszText = entry.name;
        const int index = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        item.iSubItem = 1;
        item.pszText = entry.type;
        SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 2;
        item.pszText = entry.date;
        SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    return filled;
}
