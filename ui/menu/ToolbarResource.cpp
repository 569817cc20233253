#include "ui/menu/ToolbarResource.h"

#include "framework/App.h"
#include "resources/resource.h"

namespace {

WORD WordAt(const BYTE* data, size_t index)
{
    return static_cast<WORD>(data[2 * index] | (data[2 * index + 1] << 8));
}

} // namespace

int ToolbarResource::ImageIndexOf(UINT command) const
{
    int image = 0;
    for (WORD entry : commands) {
        if (entry == 0)
            continue;
        if (entry == command)
            return image;
        ++image;
    }
    return -1;
}

std::optional<ToolbarResource> ParseToolbarResource(const void* data, size_t size)
{
    constexpr size_t kHeaderWords = 4;
    const auto* bytes = static_cast<const BYTE*>(data);
    if (!bytes || size < 2 * kHeaderWords || WordAt(bytes, 0) != 1)
        return std::nullopt;
    const size_t count = WordAt(bytes, 3);
    if (count > size / 2 - kHeaderWords)
        return std::nullopt;
    ToolbarResource toolbar;
    toolbar.buttonWidth = WordAt(bytes, 1);
    toolbar.buttonHeight = WordAt(bytes, 2);
    for (size_t i = 0; i < count; ++i)
        toolbar.commands.push_back(WordAt(bytes, kHeaderWords + i));
    return toolbar;
}

std::optional<ToolbarResource> LoadToolbarResource(int toolbarId)
{
    if (toolbarId < 0 || toolbarId > 0xFFFF)
        return std::nullopt;
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(toolbarId), MAKEINTRESOURCEA(RT_TOOLBAR_TYPE));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return std::nullopt;
    return ParseToolbarResource(data, SizeofResource(module, found));
}

int FindToolbarImage(UINT command, int toolbarId, int current)
{
    const std::optional<ToolbarResource> toolbar = LoadToolbarResource(toolbarId);
    if (!toolbar)
        return current;
    const int image = toolbar->ImageIndexOf(command);
    return image >= 0 ? image : current;
}
