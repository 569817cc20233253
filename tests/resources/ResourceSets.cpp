#include "tests/resources/ResourceSets.h"

namespace tessaly_test {

const ResourceModule& ModuleOf(ResourceSet set)
{
    // Loaded once for the whole run: the tests only read them.
    static const ResourceModule english = ResourceModule::LoadBesideProgram(L"English.dll");
    static const ResourceModule chinese = ResourceModule::LoadBesideProgram(L"chinese.dll");
    static const ResourceModule program = ResourceModule::Program();
    switch (set) {
    case ResourceSet::English:
        return english;
    case ResourceSet::Chinese:
        return chinese;
    case ResourceSet::Program:
        break;
    }
    return program;
}

} // namespace tessaly_test
