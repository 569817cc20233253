#include "engine/PictureExclusions.h"

#include "engine/PictureList.h"

#include <algorithm>

void PictureExclusions::Load(const std::string& text)
{
    m_pictures = ParsePictureList(text, kCapacity);
}

std::string PictureExclusions::Text() const
{
    return JoinPictureList(m_pictures);
}

bool PictureExclusions::Contains(const std::string& picture) const
{
    // Byte for byte, as the sequence compares paths.
    return std::find(m_pictures.begin(), m_pictures.end(), picture) != m_pictures.end();
}

void PictureExclusions::Add(const std::string& picture)
{
    if (picture.empty() || Contains(picture))
        return;
    if (m_pictures.size() == kCapacity)
        m_pictures.erase(m_pictures.begin());
    m_pictures.push_back(picture);
}

bool PictureExclusions::Remove(const std::string& picture)
{
    const auto found = std::find(m_pictures.begin(), m_pictures.end(), picture);
    if (found == m_pictures.end())
        return false;
    m_pictures.erase(found);
    return true;
}

std::vector<std::string> PictureExclusions::Without(std::vector<std::string> pictures) const
{
    pictures.erase(std::remove_if(pictures.begin(), pictures.end(),
                                  [this](const std::string& picture) { return Contains(picture); }),
                   pictures.end());
    return pictures;
}
