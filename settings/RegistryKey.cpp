#include "settings/RegistryKey.h"

#include <vector>

CRegistryKey::~CRegistryKey()
{
    Close();
}

LONG CRegistryKey::Open(HKEY root, const std::string& path, DWORD* disposition)
{
    Close();
    m_path = path;
    DWORD created = 0;
    const LONG status = RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                        nullptr, &m_key, &created);
    if (status != ERROR_SUCCESS) {
        m_key = nullptr;
        return status;
    }
    if (disposition)
        *disposition = created;
    return status;
}

void CRegistryKey::Close()
{
    if (m_key)
        RegCloseKey(m_key);
    m_key = nullptr;
}

LONG CRegistryKey::WriteString(const char* name, const std::string& text)
{
    return RegSetValueExA(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

LONG CRegistryKey::ReadString(const char* name, std::string& text) const
{
    // Sized by the value itself: a long picture path must survive a restart.
    // The loop covers a value that grows between the two queries.
    std::vector<char> buffer(200);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD type = REG_NONE;
        const LONG status =
            RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (status == ERROR_MORE_DATA) {
            buffer.resize(size + 1);
            continue;
        }
        if (status != ERROR_SUCCESS)
            return status;
        // A number stored as REG_DWORD would read as its raw bytes ("0" as
        // an empty text, 3 as a control character): it counts as missing,
        // so the value's default applies.
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return ERROR_INVALID_DATATYPE;
        // The stored bytes need not end with a zero.
        text.assign(buffer.data(), strnlen(buffer.data(), size));
        return status;
    }
}

LONG CRegistryKey::DeleteValue(const char* name)
{
    return RegDeleteValueA(m_key, name);
}

LONG CRegistryKey::WriteDword(const char* name, DWORD value)
{
    return RegSetValueExA(m_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

LONG CRegistryKey::ReadDword(const char* name, DWORD& value) const
{
    DWORD size = sizeof value;
    return RegQueryValueExA(m_key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
}

LONG CRegistryKey::WriteBinary(const char* name, const void* data, DWORD size)
{
    return RegSetValueExA(m_key, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
}

LONG CRegistryKey::ReadBinary(const char* name, void* data, DWORD& size) const
{
    return RegQueryValueExA(m_key, name, nullptr, nullptr, static_cast<BYTE*>(data), &size);
}
