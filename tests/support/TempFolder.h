#pragma once
// A fresh folder under the temporary directory (or another folder), removed
// with its files.

#include <string>

namespace testing_support {

class TempFolder {
  public:
    // `parent` ends in a backslash; empty: the temporary directory.
    explicit TempFolder(const std::string& parent = "");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // The full path of a file in the folder (not created).
    std::string File(const std::string& name) const { return m_path + "\\" + name; }
    // Creates (or replaces) a file in the folder; returns its full path.
    std::string AddFile(const std::string& name, const std::string& content = "x") const;

  private:
    std::string m_path;
};

} // namespace testing_support
