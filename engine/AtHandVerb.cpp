#include "engine/AtHandVerb.h"

#include <array>

namespace {

constexpr std::array<const char*, 7> kNames = {"next", "previous", "pause", "resume", "show", "hide", "exit"};
constexpr std::size_t kLongestName = 8;

} // namespace

std::optional<AtHandVerb> VerbFromName(const std::string& name)
{
    for (std::size_t index = 0; index < kNames.size(); ++index)
        if (lstrcmpiA(name.c_str(), kNames[index]) == 0)
            return static_cast<AtHandVerb>(index);
    return std::nullopt;
}

const char* VerbName(AtHandVerb verb)
{
    return kNames[static_cast<std::size_t>(verb)];
}

std::optional<AtHandVerb> VerbFromCopyData(const COPYDATASTRUCT* data)
{
    // Any program can send WM_COPYDATA: only a short text of ours counts.
    if (!data || data->dwData != kAtHandVerbCopyData || !data->lpData || data->cbData == 0 ||
        data->cbData > kLongestName)
        return std::nullopt;
    // Exactly the name's letters: "next" followed by a zero and anything
    // else is no verb.
    const std::string name(static_cast<const char*>(data->lpData), data->cbData);
    if (name.find('\0') != std::string::npos)
        return std::nullopt;
    return VerbFromName(name);
}
