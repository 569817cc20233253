#pragma once
// Reads the standard Win32 menu template item by item: a header of two
// 16-bit values (version, offset to the first item), then per item a 16-bit
// option word, a 16-bit command id unless the item is a pop-up, and a
// zero-terminated UTF-16 text. MF_END marks the last item of a level.
//
// Every read is bounded by the resource's size: a cut or garbled template
// ends the reading with a failure, never a read past its end.

#include <windows.h>

#include <cstddef>
#include <string>

struct MenuTemplateItem {
    WORD option = 0;  // MF_ flags as stored, MF_END included
    WORD command = 0; // 0 for pop-ups and separators
    std::wstring text;

    bool IsPopup() const { return (option & MF_POPUP) != 0; }
    bool EndsLevel() const { return (option & MF_END) != 0; }
};

class MenuTemplateReader {
  public:
    MenuTemplateReader(const void* data, size_t size);

    // False when the header is cut short or names a format other than the
    // standard one (extended templates have version 1).
    bool HeaderValid() const { return m_valid; }
    // Reads the next item; false when the template ends before it does.
    bool Next(MenuTemplateItem& item);
    // Bytes read so far.
    size_t Position() const { return m_position; }

  private:
    bool ReadWord(WORD& value);

    const BYTE* m_data;
    size_t m_size;
    size_t m_position = 0;
    bool m_valid = false;
};
