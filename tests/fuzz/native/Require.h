#pragma once

#include <cstdio>
#include <cstdlib>

// Ends the run as a crash when a property of a reader does not hold, so that
// libFuzzer keeps the input that broke it.
inline void Require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}
