#include "engine/PictureHistory.h"

#include "engine/PictureList.h"

#include <algorithm>

void PictureHistory::Load(const std::string& text)
{
    m_pictures = ParsePictureList(text, kCapacity);
}

std::string PictureHistory::Text() const
{
    return JoinPictureList(m_pictures);
}

void PictureHistory::Record(const std::string& picture, const PictureThere& there)
{
    // A folder (the first start's current "picture") or a file that is gone
    // is nothing to go back to.
    if (!there(picture) || (!m_pictures.empty() && m_pictures.front() == picture))
        return;
    m_pictures.insert(m_pictures.begin(), picture);
    if (m_pictures.size() > kCapacity)
        m_pictures.pop_back();
}

std::vector<std::string> PictureHistory::Candidates(const std::string& current, const PictureExclusions& excluded,
                                                    const PictureThere& there) const
{
    std::vector<std::string> candidates;
    for (const std::string& picture : m_pictures)
        if (picture != current && !excluded.Contains(picture) && there(picture))
            candidates.push_back(picture);
    return candidates;
}

void PictureHistory::WentBackTo(const std::string& picture)
{
    const auto found = std::find(m_pictures.begin(), m_pictures.end(), picture);
    if (found != m_pictures.end())
        m_pictures.erase(m_pictures.begin(), found + 1);
}
