#include "image/wic/WicFactory.h"

#include <string>

namespace {

struct SystemCom {
    HRESULT(WINAPI* initialise)(void*, DWORD) = nullptr;
    void(WINAPI* uninitialise)() = nullptr;
    HRESULT(WINAPI* create)(REFCLSID, IUnknown*, DWORD, REFIID, void**) = nullptr;
    HRESULT(WINAPI* clear)(PROPVARIANT*) = nullptr;

    bool Complete() const { return initialise && uninitialise && create && clear; }
};

template <typename Function> void Find(HMODULE module, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// ole32 from the system directory (never a copy beside a picture or the
// program), loaded once and kept for the process's lifetime.
SystemCom LoadSystemCom()
{
    SystemCom com;
    HMODULE module = GetModuleHandleW(L"ole32.dll");
    if (!module) {
        wchar_t directory[MAX_PATH] = {};
        const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return com;
        module = LoadLibraryW((std::wstring(directory, length) + L"\\ole32.dll").c_str());
    }
    if (!module)
        return com;
    Find(module, "CoInitializeEx", com.initialise);
    Find(module, "CoUninitialize", com.uninitialise);
    Find(module, "CoCreateInstance", com.create);
    Find(module, "PropVariantClear", com.clear);
    return com;
}

const SystemCom* Com()
{
    static const SystemCom com = LoadSystemCom();
    return com.Complete() ? &com : nullptr;
}

} // namespace

WicApartment::WicApartment()
{
    if (const SystemCom* com = Com())
        m_entered = SUCCEEDED(com->initialise(nullptr, COINIT_APARTMENTTHREADED));
}

WicApartment::~WicApartment()
{
    if (m_entered)
        Com()->uninitialise();
}

ComRef<IWICImagingFactory> MakeWicFactory()
{
    // The first version's class: the only one XP's redistributable has.
    ComRef<IWICImagingFactory> factory;
    const SystemCom* com = Com();
    if (!com || FAILED(com->create(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   factory.OutVoid())))
        factory.Reset();
    return factory;
}

void ClearPropVariant(PROPVARIANT& value)
{
    if (const SystemCom* com = Com())
        com->clear(&value);
}
