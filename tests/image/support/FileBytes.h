#pragma once

// Whole files as bytes, for tests that write pictures byte by byte and
// compare what the library wrote.

#include <cstdint>
#include <string>
#include <vector>

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFileBytes(const std::string& path);
