#include "framework/CommandLine.h"

#include <cstdlib>

void CCommandLineInfo::ParseParam(const char* param, bool isFlag, bool)
{
    if (!isFlag && m_strFileName.empty())
        m_strFileName = param;
}

void ParseCommandLine(const std::vector<std::string>& arguments, CCommandLineInfo& info)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool isFlag = !argument.empty() && (argument[0] == '/' || argument[0] == '-');
        info.ParseParam(argument.c_str() + (isFlag ? 1 : 0), isFlag, i + 1 == arguments.size());
    }
}

std::vector<std::string> ProcessArguments()
{
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i)
        arguments.emplace_back(__argv[i]);
    return arguments;
}
