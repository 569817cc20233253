#include "ui/menu/MenuTemplate.h"

MenuTemplateReader::MenuTemplateReader(const void* data, size_t size)
    : m_data(static_cast<const BYTE*>(data)), m_size(data ? size : 0)
{
    WORD version = 0;
    WORD offset = 0;
    if (!ReadWord(version) || !ReadWord(offset) || version != 0)
        return;
    if (offset > m_size - m_position)
        return;
    m_position += offset;
    m_valid = true;
}

bool MenuTemplateReader::ReadWord(WORD& value)
{
    if (m_size - m_position < 2)
        return false;
    value = static_cast<WORD>(m_data[m_position] | (m_data[m_position + 1] << 8));
    m_position += 2;
    return true;
}

bool MenuTemplateReader::Next(MenuTemplateItem& item)
{
    if (!m_valid)
        return false;
    item = MenuTemplateItem{};
    if (!ReadWord(item.option))
        return false;
    if (!item.IsPopup() && !ReadWord(item.command))
        return false;
    for (;;) {
        WORD c = 0;
        if (!ReadWord(c))
            return false;
        if (c == 0)
            return true;
        item.text += static_cast<wchar_t>(c);
    }
}
