#pragma once
// The framework's command-line parsing: arguments starting with '/' or '-'
// are flags; the first plain argument is the file name.

#include <string>
#include <vector>

class CCommandLineInfo {
  public:
    virtual ~CCommandLineInfo() = default;
    // Called once per argument, flags without their leading character.
    virtual void ParseParam(const char* param, bool isFlag, bool isLast);

    std::string m_strFileName;
};

// Splits a command line (without the program name) the way the C runtime
// does and feeds every argument to `info`.
void ParseCommandLine(const std::vector<std::string>& arguments, CCommandLineInfo& info);
// The arguments of this process after the program name.
std::vector<std::string> ProcessArguments();
