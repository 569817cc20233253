#include "engine/ShuffleRound.h"

#include "engine/PictureList.h"
#include "framework/Path.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <random>
#include <utility>

namespace {

// The folder every picture lies under (the first one's when they share
// none, leaving the others out of the kept round).
std::string CommonFolder(const std::vector<std::string>& pictures)
{
    std::string folder = DirectoryOfPath(pictures.front());
    for (const std::string& picture : pictures)
        while (!folder.empty() && picture.compare(0, folder.size() + 1, folder + "\\") != 0)
            folder = folder.find('\\') == std::string::npos ? std::string() : DirectoryOfPath(folder);
    return folder.empty() ? DirectoryOfPath(pictures.front()) : folder;
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
    const std::string folder = CommonFolder(m_left);
    std::vector<std::string> entries = {folder};
    for (const std::string& picture : m_left)
        if (picture.compare(0, folder.size() + 1, folder + "\\") == 0)
            entries.push_back(picture.substr(folder.size() + 1));
    return JoinPictureList(entries);
}

// `added`, in a random order, at random places among `left`, whose own
// order stays: each place is as likely, in one pass however many there are.
std::vector<std::string> ShuffleRound::MixedIn(std::vector<std::string> left, std::vector<std::string> added)
{
    for (std::size_t last = added.size(); last > 1; --last)
        std::swap(added[last - 1], added[m_random() % last]);
    std::vector<std::string> mixed;
    mixed.reserve(left.size() + added.size());
    auto fromLeft = left.begin();
    auto fromAdded = added.begin();
    while (fromLeft != left.end() || fromAdded != added.end()) {
        const std::size_t leftCount = left.end() - fromLeft;
        const std::size_t addedCount = added.end() - fromAdded;
        const bool takeLeft = addedCount == 0 || (leftCount > 0 && m_random() % (leftCount + addedCount) < leftCount);
        mixed.push_back(std::move(takeLeft ? *fromLeft++ : *fromAdded++));
    }
    return mixed;
}

std::vector<std::string> ShuffleRound::Upcoming(const std::vector<std::string>& folderPictures,
                                                const std::string& current)
{
    // Pictures that came since the last call join the round that runs.
    std::vector<std::string> sorted = folderPictures;
    std::sort(sorted.begin(), sorted.end());
    if (!m_left.empty() && !m_known.empty()) {
        std::vector<std::string> added;
        std::set_difference(sorted.begin(), sorted.end(), m_known.begin(), m_known.end(), std::back_inserter(added));
        m_left = MixedIn(std::move(m_left), std::move(added));
    }
    m_known = std::move(sorted);

    std::vector<std::string> upcoming;
    // The current picture (chosen in the dialog, say) is not shown again.
    for (const std::string& picture : m_left)
        if (picture != current && std::binary_search(m_known.begin(), m_known.end(), picture))
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

void ShuffleRound::Renamed(const std::string& from, const std::string& to)
{
    for (std::vector<std::string>* list : {&m_left, &m_next})
        std::replace(list->begin(), list->end(), from, to);
    // Known under its new name, so it does not join the round again.
    const auto known = std::lower_bound(m_known.begin(), m_known.end(), from);
    if (known != m_known.end() && *known == from) {
        m_known.erase(known);
        m_known.insert(std::lower_bound(m_known.begin(), m_known.end(), to), to);
    }
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
