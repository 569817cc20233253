#include "app/CommandLineRequest.h"

#include <windows.h>

namespace {

bool IsFlag(const std::string& argument)
{
    return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-');
}

// "min" in another letter case or as a flag has always started the window
// as usual; it still does rather than become a mistake.
bool IsOtherSpellingOfMin(const std::string& word)
{
    return lstrcmpiA(word.c_str(), "min") == 0;
}

} // namespace

CommandLineRequest ParseCommandLineRequest(const std::vector<std::string>& arguments)
{
    CommandLineRequest request;
    bool plainSeen = false;
    for (const std::string& argument : arguments) {
        if (IsFlag(argument)) {
            const std::string name = argument.substr(1);
            if (const auto verb = VerbFromName(name); verb && !request.verb)
                request.verb = verb;
            else if (!IsOtherSpellingOfMin(name))
                request.valid = false;
            continue;
        }
        // Only the first plain argument has a meaning; any other plain
        // word (a shortcut's leftover, a file name) is passed over.
        if (!plainSeen && argument == "min")
            request.startMinimised = true;
        plainSeen = true;
    }
    return request;
}
