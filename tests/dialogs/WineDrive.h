#pragma once
// A drive letter of the Wine prefix mapped to a folder for the length of a
// test, so a picture can lie in the root of a drive. Wine's mount manager
// makes the mapping; on Windows itself the drive is simply not there.

#include <string>

namespace dialog_tests {

class WineDrive {
  public:
    // Maps `letter` (lower case) to `folder`; Mapped() says whether it worked.
    WineDrive(char letter, const std::string& folder);
    ~WineDrive();
    WineDrive(const WineDrive&) = delete;
    WineDrive& operator=(const WineDrive&) = delete;

    bool Mapped() const { return m_mapped; }
    // "T:\"
    std::string Root() const;

  private:
    char m_letter;
    bool m_mapped = false;
};

} // namespace dialog_tests
