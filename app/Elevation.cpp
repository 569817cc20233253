#include "app/Elevation.h"

#include <sddl.h>

#include <vector>

namespace {

// The process token, closed on leaving.
class ProcessToken {
  public:
    ProcessToken()
    {
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &m_token))
            m_token = nullptr;
    }
    ~ProcessToken()
    {
        if (m_token)
            CloseHandle(m_token);
    }
    ProcessToken(const ProcessToken&) = delete;
    ProcessToken& operator=(const ProcessToken&) = delete;

    HANDLE Handle() const { return m_token; }

  private:
    HANDLE m_token = nullptr;
};

} // namespace

bool RunsElevated()
{
    const ProcessToken token;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    // Systems before Vista know no such class and fail here.
    return token.Handle() && GetTokenInformation(token.Handle(), TokenElevation, &elevation, sizeof elevation, &size) &&
           elevation.TokenIsElevated != 0;
}

std::string ProcessUserSid()
{
    const ProcessToken token;
    DWORD size = 0;
    if (!token.Handle())
        return std::string();
    GetTokenInformation(token.Handle(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !GetTokenInformation(token.Handle(), TokenUser, buffer.data(), size, &size))
        return std::string();
    char* text = nullptr;
    if (!ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text))
        return std::string();
    const std::string sid = text;
    LocalFree(text);
    return sid;
}
