// The language modules as a whole: they load, carry every id the program
// asks for, in their own language, and agree with each other.
#include "resources/resource.h"
#include "tests/resources/ResourceSets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace tessaly_test {
namespace {

constexpr unsigned kCursor = 1, kBitmap = 2, kIcon = 3, kMenu = 4, kDialog = 5, kString = 6, kGroupCursor = 12,
                   kGroupIcon = 14, kVersion = 16, kManifest = 24;

// Every id the program loads from its language module.
const std::set<ResourceKey>& RequiredKeys()
{
    static const std::set<ResourceKey> keys = [] {
        std::set<ResourceKey> required = {
            {kDialog, IDD_ABOUTBOX},           {kDialog, IDD_MAIN_SETTINGS}, {kDialog, IDD_SELECT_PICTURE},
            {kMenu, IDR_CONTEXT_MENU},         {kMenu, IDR_TRAY_MENU},       {kGroupIcon, IDI_MAIN},
            {kGroupCursor, IDC_HAND_CURSOR},   {kBitmap, IDB_ABOUT},         {kBitmap, IDR_MENU_ICONS},
            {RT_TOOLBAR_TYPE, IDR_MENU_ICONS}, {kString, IDS_PARSE_NUMBER},  {kString, IDS_PARSE_NUMBER_RANGE},
        };
        for (unsigned id = IDS_ABOUT_MENU_ITEM; id <= IDS_SKIN_FILE_MISSING; ++id)
            required.insert({kString, id});
        for (unsigned id = IDS_TIP_CLICK_TO_SHOW; id <= IDS_PICTURE_SIZE_LABEL; ++id)
            required.insert({kString, id});
        return required;
    }();
    return keys;
}

std::set<ResourceKey> Without(std::set<ResourceKey> keys, ResourceKey removed)
{
    keys.erase(removed);
    return keys;
}

class EveryResourceSet : public ::testing::TestWithParam<ResourceSet> {};

TEST_P(EveryResourceSet, CarriesEveryIdTheProgramLoads)
{
    const ResourceModule& module = ModuleOf(GetParam());
    ASSERT_TRUE(module.loaded()) << "module missing beside the test program";
    const std::set<ResourceKey> keys = module.Keys();
    std::vector<ResourceKey> missing;
    std::set_difference(RequiredKeys().begin(), RequiredKeys().end(), keys.begin(), keys.end(),
                        std::back_inserter(missing));
    for (const ResourceKey& key : missing)
        ADD_FAILURE() << "missing resource type " << key.first << " id " << key.second;
}

TEST_P(EveryResourceSet, StoresAllResourcesInItsOwnLanguage)
{
    const ResourceModule& module = ModuleOf(GetParam());
    ASSERT_TRUE(module.loaded());
    const LANGID expected = HasChineseTexts(GetParam()) ? MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)
                                                        : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    EXPECT_EQ(module.Languages(), std::set<LANGID>{expected});
}

INSTANTIATE_TEST_SUITE_P(LanguageModules, EveryResourceSet,
                         ::testing::Values(ResourceSet::English, ResourceSet::Chinese, ResourceSet::Program),
                         ::testing::PrintToStringParamName());

TEST(LanguageModules, EnglishAndChineseCarryTheSameIds)
{
    ASSERT_TRUE(ModuleOf(ResourceSet::English).loaded());
    ASSERT_TRUE(ModuleOf(ResourceSet::Chinese).loaded());
    EXPECT_EQ(ModuleOf(ResourceSet::English).Keys(), ModuleOf(ResourceSet::Chinese).Keys());
}

TEST(LanguageModules, ProgramCarriesTheChineseSetPlusItsManifest)
{
    const ResourceModule& chinese = ModuleOf(ResourceSet::Chinese);
    const ResourceModule& program = ModuleOf(ResourceSet::Program);
    ASSERT_TRUE(chinese.loaded());
    EXPECT_EQ(Without(program.Keys(), {kManifest, 1}), chinese.Keys());

    // The same bytes, not only the same ids: one source feeds both.
    for (const ResourceKey& key : chinese.Keys()) {
        if (key.first == kString || key.first == kVersion)
            continue;
        EXPECT_EQ(program.Bytes(key.first, key.second), chinese.Bytes(key.first, key.second))
            << "type " << key.first << " id " << key.second;
    }
}

TEST(LanguageModules, PicturesAreTheSameInBothLanguages)
{
    const ResourceModule& english = ModuleOf(ResourceSet::English);
    const ResourceModule& chinese = ModuleOf(ResourceSet::Chinese);
    ASSERT_TRUE(english.loaded() && chinese.loaded());
    for (const ResourceKey& key : chinese.Keys()) {
        const unsigned type = key.first;
        const bool picture = type == kCursor || type == kBitmap || type == kIcon || type == kGroupCursor ||
                             type == kGroupIcon || type == RT_TOOLBAR_TYPE;
        if (!picture)
            continue;
        EXPECT_EQ(english.Bytes(type, key.second), chinese.Bytes(type, key.second))
            << "type " << type << " id " << key.second;
    }
}

TEST(LanguageModules, ProgramManifestAsksForCommonControls6AndTheUsersOwnRights)
{
    const std::vector<std::uint8_t> bytes = ModuleOf(ResourceSet::Program).Bytes(kManifest, 1);
    const std::string manifest(bytes.begin(), bytes.end());
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
}

TEST(LanguageModules, LoadingAModuleRunsNoCode)
{
    // A plain LoadLibrary, as the program does: a module with an entry point
    // or imports would run code or pull in other libraries.
    for (const wchar_t* name : {L"English.dll", L"chinese.dll"}) {
        const std::wstring path = ProgramFolder() + name;
        HMODULE module = LoadLibraryW(path.c_str());
        ASSERT_NE(module, nullptr) << "LoadLibrary failed";
        const auto* base = reinterpret_cast<const std::uint8_t*>(module);
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
        EXPECT_EQ(nt->OptionalHeader.AddressOfEntryPoint, 0u);
        EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_DLL);
        const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        if (imports.Size != 0) {
            const auto* first = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
            EXPECT_EQ(first->Name, 0u) << "the module imports a library";
        }
        FreeLibrary(module);
    }
}

TEST(LanguageModules, TheProgramImportsNothingWindowsXpLacks)
{
    // A missing import stops the loader before any of our code runs; the
    // statically linked runtimes are where such imports come from.
    const char* const vistaOnly[] = {
        "GetTickCount64",    "InitializeConditionVariable", "SleepConditionVariableCS", "WakeAllConditionVariable",
        "InitializeSRWLock", "AcquireSRWLockExclusive",     "InitOnceExecuteOnce",      "GetFileInformationByHandleEx"};
    const std::wstring path = ProgramFolder() + L"Tessaly.exe";
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(module, nullptr);
    const auto* base = reinterpret_cast<const std::uint8_t*>(module);
    const auto* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    int functions = 0;
    for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name != 0; ++library) {
        for (auto* entry = reinterpret_cast<const IMAGE_THUNK_DATA32*>(base + library->OriginalFirstThunk);
             entry->u1.AddressOfData != 0; ++entry, ++functions) {
            if (entry->u1.Ordinal & IMAGE_ORDINAL_FLAG32)
                continue;
            const char* name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + entry->u1.AddressOfData)->Name;
            for (const char* missing : vistaOnly)
                EXPECT_STRNE(missing, name) << "imported from " << base + library->Name;
        }
    }
    EXPECT_GT(functions, 100);
    FreeLibrary(module);
}

} // namespace
} // namespace tessaly_test
