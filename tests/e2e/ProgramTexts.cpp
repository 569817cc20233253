#include "tests/e2e/ProgramTexts.h"

#include "tests/support/Program.h"

#include <windows.h>

namespace e2e {

bool SystemIsChinese()
{
    return PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_CHINESE;
}

std::wstring ProgramText(unsigned id)
{
    const std::string module =
        testing_support::TestProgramDirectory() + (SystemIsChinese() ? "\\chinese.dll" : "\\English.dll");
    HMODULE texts = LoadLibraryExA(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!texts)
        return L"(no language module)";
    const wchar_t* text = nullptr;
    // Length 0 asks for a pointer to the resource's own text.
    const int length = LoadStringW(texts, id, reinterpret_cast<wchar_t*>(&text), 0);
    std::wstring result = length > 0 ? std::wstring(text, length) : L"(no string)";
    FreeLibrary(texts);
    return result;
}

} // namespace e2e
