#pragma once
// libheif.dll, loaded once a run from the program's own folder by its full
// path (never through the search path, where anyone's copy could answer),
// so the program starts and runs without it: HEIC and AVIF files then
// have no decoder. Safe from several threads at once.

#include <windows.h>

class HeifLibrary {
  public:
    // The library of this run; Loaded() false when it is missing or broken.
    static const HeifLibrary& Get();

    bool Loaded() const { return module != nullptr; }

    // The named function of the library, as the pointer type it has there.
    template <typename Function> Function Find(const char* name) const
    {
        return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
    }

  private:
    HeifLibrary();
    ~HeifLibrary();
    HeifLibrary(const HeifLibrary&) = delete;
    HeifLibrary& operator=(const HeifLibrary&) = delete;

    HMODULE module = nullptr;
};
