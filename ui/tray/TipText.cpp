#include "ui/tray/TipText.h"

namespace {

bool IsUtf8Continuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Bytes of the character that starts at `at`: a UTF-8 character runs on
// over its continuation bytes (IsDBCSLeadByteEx knows no UTF-8); a
// double-byte one is two.
size_t CharacterSize(const std::string& text, size_t at, UINT codePage)
{
    size_t size = 1;
    if (codePage == CP_UTF8) {
        while (at + size < text.size() && IsUtf8Continuation(text[at + size]))
            ++size;
        return size;
    }
    const bool lead = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[at])) && at + 1 < text.size();
    return lead ? 2 : 1;
}

} // namespace

size_t WholeCharacterLength(const std::string& text, size_t capacity, UINT codePage)
{
    if (codePage == CP_ACP)
        codePage = GetACP();
    size_t length = 0;
    while (length < text.size()) {
        const size_t step = CharacterSize(text, length, codePage);
        if (length + step > capacity)
            break;
        length += step;
    }
    return length;
}
