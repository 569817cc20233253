#include "engine/ShuffleRound.h"

#include "engine/PictureList.h"
#include "framework/Path.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <random>
#include <utility>

namespace {

std::string FileNameOf(const std::string& path)
{
    return path.substr(DirectoryOfPath(path).size() + 1);
}

} // namespace

ShuffleRound::Random ShuffleRound::SystemRandom()
{
    auto engine = std::make_shared<std::mt19937>(GetTickCount() ^ GetCurrentProcessId());
    return [engine] { return static_cast<std::uint32_t>((*engine)()); };
}

ShuffleRound::ShuffleRound(Random random) : m_random(std::move(random)) {}

void ShuffleRound::Load(const std::string& text)
{
    m_left.clear();
    // The folder, then the names still to come.
    std::vector<std::string> entries = ParsePictureList(text, kLongestPictureListText);
    if (entries.size() < 2)
        return;
    for (std::size_t index = 1; index < entries.size(); ++index)
        m_left.push_back(entries[0] + "\\" + entries[index]);
}

std::string ShuffleRound::Text() const
{
    if (m_left.empty())
        return "";
    std::vector<std::string> entries = {DirectoryOfPath(m_left.front())};
    for (const std::string& picture : m_left)
        entries.push_back(FileNameOf(picture));
    return JoinPictureList(entries);
}

std::vector<std::string> ShuffleRound::Upcoming(const std::vector<std::string>& folderPictures,
                                                const std::string& current)
{
    std::vector<std::string> upcoming;
    // The current picture (chosen in the dialog, say) is not shown again.
    for (const std::string& picture : m_left)
        if (picture != current &&
            std::find(folderPictures.begin(), folderPictures.end(), picture) != folderPictures.end())
            upcoming.push_back(picture);

    // Fisher-Yates with our own source, so a test can give the order.
    m_next = folderPictures;
    for (std::size_t last = m_next.size(); last > 1; --last)
        std::swap(m_next[last - 1], m_next[m_random() % last]);
    // One round's last picture is not the next one's first.
    if (m_next.size() > 1 && m_next.front() == current)
        std::swap(m_next.front(), m_next[1 + m_random() % (m_next.size() - 1)]);

    upcoming.insert(upcoming.end(), m_next.begin(), m_next.end());
    return upcoming;
}

void ShuffleRound::Shown(const std::string& picture)
{
    auto found = std::find(m_left.begin(), m_left.end(), picture);
    if (found != m_left.end()) {
        m_left.erase(m_left.begin(), found + 1);
        return;
    }
    found = std::find(m_next.begin(), m_next.end(), picture);
    if (found == m_next.end())
        return;
    m_left.assign(found + 1, m_next.end());
    m_next.clear();
}
