#pragma once
// Registry helpers for tests: the real registry of the test prefix.

#include <windows.h>

#include <map>
#include <optional>
#include <string>

namespace testing_support {

void DeleteKeyTree(HKEY root, const char* path);
// Every value of a key with its data as text (REG_SZ values only).
std::map<std::string, std::string> ReadStringValues(HKEY root, const char* path);
std::optional<std::string> ReadStringValue(HKEY root, const char* path, const char* name);
void WriteStringValue(HKEY root, const char* path, const char* name, const std::string& text);

} // namespace testing_support
