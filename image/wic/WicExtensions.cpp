// The extensions the system's decoders declare, asked once per run: the
// listing of a folder asks for every name it meets.
#include "framework/WideText.h"
#include "image/SystemDecoders.h"
#include "image/wic/WicFactory.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace {

// ".tiff,.tif" (any case) into its names, lowercase and without dots.
void AddExtensions(const std::string& list, std::set<std::string>& names)
{
    std::string name;
    for (size_t i = 0; i <= list.size(); ++i) {
        const char c = i < list.size() ? list[i] : ',';
        if (c == ',' || c == ';' || c == ' ') {
            if (!name.empty())
                names.insert(name);
            name.clear();
        } else if (c != '.') {
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
}

void AddDecoderExtensions(IUnknown* component, std::set<std::string>& names)
{
    ComRef<IWICBitmapDecoderInfo> info;
    if (FAILED(component->QueryInterface(IID_IWICBitmapDecoderInfo, info.OutVoid())))
        return;
    UINT length = 0;
    if (FAILED(info->GetFileExtensions(0, nullptr, &length)) || length == 0 || length > 4096)
        return;
    std::wstring extensions(length, L'\0');
    if (FAILED(info->GetFileExtensions(length, &extensions[0], &length)))
        return;
    extensions.resize(std::min<size_t>(length, extensions.size()));
    AddExtensions(Narrow(extensions.c_str()), names);
}

std::set<std::string> AskSystem()
{
    // Entered here and left again: the asking thread may be in any
    // apartment, or in none yet.
    const WicApartment apartment;
    std::set<std::string> names;
    const ComRef<IWICImagingFactory> factory = MakeWicFactory();
    ComRef<IEnumUnknown> decoders;
    if (!factory ||
        FAILED(factory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault, decoders.Out())))
        return names;
    for (;;) {
        ComRef<IUnknown> component;
        ULONG fetched = 0;
        if (decoders->Next(1, component.Out(), &fetched) != S_OK || fetched != 1)
            break;
        AddDecoderExtensions(component.Get(), names);
    }
    return names;
}

} // namespace

bool SystemDecodesExtension(const std::string& extension)
{
    static const std::set<std::string> names = AskSystem();
    return names.count(extension) != 0;
}
