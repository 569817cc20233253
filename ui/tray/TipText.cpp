#include "ui/tray/TipText.h"

size_t WholeCharacterLength(const std::string& text, size_t capacity, UINT codePage)
{
    size_t length = 0;
    while (length < text.size()) {
        const bool lead = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[length])) && length + 1 < text.size();
        const size_t step = lead ? 2 : 1;
        if (length + step > capacity)
            break;
        length += step;
    }
    return length;
}
