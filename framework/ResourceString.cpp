#include "framework/ResourceString.h"

#include "framework/App.h"

std::string LoadResourceString(UINT id)
{
    // A string table entry holds at most 4097 characters; a double-byte
    // code page needs up to two bytes for each.
    char buffer[8200];
    const int length = LoadStringA(AfxGetResourceHandle(), id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

std::string FormatResourceString(UINT id, const std::string& first, const std::string& second)
{
    const std::string pattern = LoadResourceString(id);
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            text += pattern[i + 1] == '1' ? first : second;
            ++i;
            continue;
        }
        text += pattern[i];
    }
    return text;
}
