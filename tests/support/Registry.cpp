#include "tests/support/Registry.h"

#include <shlwapi.h>

#include <vector>

namespace testing_support {

void DeleteKeyTree(HKEY root, const char* path)
{
    SHDeleteKeyA(root, path);
}

std::map<std::string, std::string> ReadStringValues(HKEY root, const char* path)
{
    std::map<std::string, std::string> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        std::vector<char> data(4096);
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LONG status = RegEnumValueA(key, index, name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data.data()), &dataLength);
        if (status != ERROR_SUCCESS)
            break;
        if (type == REG_SZ)
            values[name] = std::string(data.data(), strnlen(data.data(), dataLength));
    }
    RegCloseKey(key);
    return values;
}

std::optional<std::string> ReadStringValue(HKEY root, const char* path, const char* name)
{
    const auto values = ReadStringValues(root, path);
    const auto found = values.find(name);
    if (found == values.end())
        return std::nullopt;
    return found->second;
}

void WriteStringValue(HKEY root, const char* path, const char* name, const std::string& text)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

} // namespace testing_support
