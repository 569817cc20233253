#include "tests/resources/ResourceModule.h"

#include <cstring>

namespace tessaly_test {

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

ResourceModule ResourceModule::LoadBesideProgram(const std::wstring& fileName)
{
    // As a data file: the resources are mapped, nothing of the module runs.
    const std::wstring path = ProgramFolder() + fileName;
    return ResourceModule(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), true);
}

ResourceModule ResourceModule::Program()
{
    return ResourceModule(GetModuleHandleW(nullptr), false);
}

ResourceModule::ResourceModule(ResourceModule&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), owned_(other.owned_)
{
}

ResourceModule& ResourceModule::operator=(ResourceModule&& other) noexcept
{
    if (this != &other) {
        if (owned_ && handle_)
            FreeLibrary(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
        owned_ = other.owned_;
    }
    return *this;
}

ResourceModule::~ResourceModule()
{
    if (owned_ && handle_)
        FreeLibrary(handle_);
}

std::vector<std::uint8_t> ResourceModule::Bytes(unsigned type, unsigned id) const
{
    HRSRC found = FindResourceW(handle_, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(handle_, found);
    const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
    if (!data)
        return {};
    return std::vector<std::uint8_t>(data, data + SizeofResource(handle_, found));
}

bool ResourceModule::Has(unsigned type, unsigned id) const
{
    return FindResourceW(handle_, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type)) != nullptr;
}

std::wstring ResourceModule::String(unsigned id) const
{
    wchar_t text[1024] = {};
    const int length = LoadStringW(handle_, id, text, 1024);
    return std::wstring(text, length > 0 ? length : 0);
}

namespace {

struct KeyCollector {
    const ResourceModule* module;
    std::set<ResourceKey> keys;
    std::set<LANGID> languages;
};

// A string block holds 16 counted UTF-16 strings; block n has ids 16(n-1)..16(n-1)+15.
void AddStringIds(KeyCollector& collector, unsigned blockId)
{
    const std::vector<std::uint8_t> block = collector.module->Bytes(6, blockId);
    std::size_t offset = 0;
    for (unsigned index = 0; index < 16 && offset + 2 <= block.size(); ++index) {
        std::uint16_t length = 0;
        std::memcpy(&length, &block[offset], 2);
        offset += 2 + 2 * std::size_t{length};
        if (length > 0)
            collector.keys.insert({6, (blockId - 1) * 16 + index});
    }
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<KeyCollector*>(param)->languages.insert(language);
    return TRUE;
}

BOOL CALLBACK CollectName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param)
{
    auto& collector = *reinterpret_cast<KeyCollector*>(param);
    // Every resource of ours has a numeric type and id; a named one is a fault
    // and shows up as id 0xFFFFFFFF.
    const unsigned typeId = IS_INTRESOURCE(type) ? LOWORD(reinterpret_cast<ULONG_PTR>(type)) : ~0u;
    const unsigned id = IS_INTRESOURCE(name) ? LOWORD(reinterpret_cast<ULONG_PTR>(name)) : ~0u;
    if (typeId == 6 && id != ~0u)
        AddStringIds(collector, id);
    else
        collector.keys.insert({typeId, id});
    EnumResourceLanguagesW(module, type, name, CollectLanguage, param);
    return TRUE;
}

BOOL CALLBACK CollectType(HMODULE module, LPWSTR type, LONG_PTR param)
{
    EnumResourceNamesW(module, type, CollectName, param);
    return TRUE;
}

KeyCollector Collect(const ResourceModule& module)
{
    KeyCollector collector{&module, {}, {}};
    EnumResourceTypesW(module.handle(), CollectType, reinterpret_cast<LONG_PTR>(&collector));
    return collector;
}

} // namespace

std::set<ResourceKey> ResourceModule::Keys() const
{
    return Collect(*this).keys;
}

std::set<LANGID> ResourceModule::Languages() const
{
    return Collect(*this).languages;
}

} // namespace tessaly_test
