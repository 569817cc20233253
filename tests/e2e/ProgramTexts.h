#pragma once
// The texts a person reads in the program: those of the language module the
// program picks for this system, read from that module itself.

#include <string>

namespace e2e {

bool SystemIsChinese();
// A string resource of the language module beside the program.
std::wstring ProgramText(unsigned id);

} // namespace e2e
