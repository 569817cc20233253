// Read access to the resources of a language module or of this program.
#pragma once

#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tessaly_test {

// (resource type, resource id). String tables are expanded: a string
// appears as (RT_STRING, string id) instead of its block of 16.
using ResourceKey = std::pair<unsigned, unsigned>;

// Owns a module loaded as a data file (or borrows the program's own module).
class ResourceModule {
  public:
    // The module with this file name beside the test program; not loaded
    // (loaded() false) when it is missing.
    static ResourceModule LoadBesideProgram(const std::wstring& fileName);
    // The test program itself, which links the program's own resources.
    static ResourceModule Program();

    ResourceModule(ResourceModule&& other) noexcept;
    ResourceModule& operator=(ResourceModule&& other) noexcept;
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;
    ~ResourceModule();

    bool loaded() const { return handle_ != nullptr; }
    HMODULE handle() const { return handle_; }

    // Raw bytes of a resource; empty when it is missing.
    std::vector<std::uint8_t> Bytes(unsigned type, unsigned id) const;
    bool Has(unsigned type, unsigned id) const;
    // The string as LoadStringW gives it; empty when missing.
    std::wstring String(unsigned id) const;
    // Every resource of the module, string tables expanded.
    std::set<ResourceKey> Keys() const;
    // The languages in which resources of the module are stored.
    std::set<LANGID> Languages() const;

  private:
    ResourceModule(HMODULE handle, bool owned) : handle_(handle), owned_(owned) {}

    HMODULE handle_ = nullptr;
    bool owned_ = false;
};

// Folder of the running test program, with a trailing backslash.
std::wstring ProgramFolder();

} // namespace tessaly_test
