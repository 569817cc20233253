// The three resource sets under test: the two language modules beside the
// test program, and the Chinese set that the program file carries itself
// (linked into this test program the same way).
#pragma once

#include "tests/resources/ResourceModule.h"

#include <ostream>

namespace tessaly_test {

enum class ResourceSet { English, Chinese, Program };

const ResourceModule& ModuleOf(ResourceSet set);

// The program file carries the Chinese texts.
inline bool HasChineseTexts(ResourceSet set)
{
    return set != ResourceSet::English;
}

inline std::ostream& operator<<(std::ostream& out, ResourceSet set)
{
    switch (set) {
    case ResourceSet::English:
        return out << "English_dll";
    case ResourceSet::Chinese:
        return out << "chinese_dll";
    case ResourceSet::Program:
        return out << "program";
    }
    return out;
}

} // namespace tessaly_test
