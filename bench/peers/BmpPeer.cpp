#include "peers/BmpPeer.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <new>

namespace {

struct HandleCloser {
    using pointer = HANDLE;
    void operator()(HANDLE handle) const
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};
using Handle = std::unique_ptr<void, HandleCloser>;

} // namespace

bool CopyBmpRaw(const std::string& inPath, const std::string& outPath)
{
    const Handle in(CreateFileA(inPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (in.get() == INVALID_HANDLE_VALUE)
        return false;
    const DWORD size = GetFileSize(in.get(), nullptr);
    std::unique_ptr<uint8_t[]> fileBytes(new (std::nothrow) uint8_t[size]);
    std::unique_ptr<uint8_t[]> picture(new (std::nothrow) uint8_t[size]);
    DWORD count = 0;
    if (!fileBytes || !picture || !ReadFile(in.get(), fileBytes.get(), size, &count, nullptr) || count != size)
        return false;
    std::memcpy(picture.get(), fileBytes.get(), size);

    const Handle out(
        CreateFileA(outPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (out.get() == INVALID_HANDLE_VALUE)
        return false;
    return WriteFile(out.get(), picture.get(), size, &count, nullptr) && count == size;
}
