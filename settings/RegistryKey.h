#pragma once
// CRegistryKey: the program's one way into the registry. Each operation
// returns the Win32 status (ERROR_SUCCESS is 0); callers mostly don't act
// on it, since a failed read simply means the value's default applies.

#include <windows.h>

#include <string>

class CRegistryKey {
  public:
    CRegistryKey() = default;
    virtual ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Creates the key when it is missing; `disposition` receives
    // REG_CREATED_NEW_KEY (1) or REG_OPENED_EXISTING_KEY (2) on success.
    LONG Open(HKEY root, const std::string& path, DWORD* disposition = nullptr);
    void Close();
    const std::string& Path() const { return m_path; }

    // REG_SZ with its terminating zero stored.
    LONG WriteString(const char* name, const std::string& text);
    // Reads a text value (REG_SZ, or REG_EXPAND_SZ taken as it stands) of
    // any length. A value of another type fails with ERROR_INVALID_DATATYPE;
    // on every failure `text` is left as it was.
    LONG ReadString(const char* name, std::string& text) const;
    LONG DeleteValue(const char* name);

    LONG WriteDword(const char* name, DWORD value);
    LONG ReadDword(const char* name, DWORD& value) const;
    LONG WriteBinary(const char* name, const void* data, DWORD size);
    LONG ReadBinary(const char* name, void* data, DWORD& size) const;

  private:
    HKEY m_key = nullptr;
    std::string m_path;
};
