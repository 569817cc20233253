#include "image/heif/HeifLibrary.h"

#include <string>
#include <vector>

namespace {

// The full path of a file beside the program.
std::wstring BesideProgram(const wchar_t* fileName)
{
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()))) >= buffer.size())
        buffer.resize(buffer.size() * 2);
    std::wstring path(buffer.data(), length);
    path.erase(path.find_last_of(L'\\') + 1);
    return path + fileName;
}

} // namespace

HeifLibrary::HeifLibrary()
{
    // The altered search path finds the decoders libheif.dll loads (libde265)
    // in its own folder; no box asks for a disk when the file is missing.
    const UINT errorMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    module = LoadLibraryExW(BesideProgram(L"libheif.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    SetErrorMode(errorMode);
}

HeifLibrary::~HeifLibrary()
{
    if (module)
        FreeLibrary(module);
}

const HeifLibrary& HeifLibrary::Get()
{
    static const HeifLibrary library;
    return library;
}
