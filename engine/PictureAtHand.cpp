#include "engine/PictureAtHand.h"

#include "engine/PictureCatalogue.h"
#include "engine/PictureList.h"

#include <utility>

PictureAtHand::PictureAtHand(Settings& settings, CRegistryKey& key, ShuffleRound::Random random)
    : m_settings(settings), m_key(key), m_shuffle(std::move(random))
{
}

void PictureAtHand::Load()
{
    std::string text;
    if (m_key.ReadString("History", text) == ERROR_SUCCESS)
        m_history.Load(text);
    if (m_key.ReadString("Excluded", text) == ERROR_SUCCESS)
        m_excluded.Load(text);
    if (m_key.ReadString("Paused", text) == ERROR_SUCCESS)
        m_settings.Paused = text == "1";
    if (m_key.ReadString("Shuffle", text) == ERROR_SUCCESS)
        m_settings.Shuffle = text == "1";
    if (m_key.ReadString("ShuffleRound", text) == ERROR_SUCCESS)
        m_shuffle.Load(text);
}

std::vector<std::string> PictureAtHand::NextPictures()
{
    const std::string& current = m_settings.CurPicFileName;
    std::vector<std::string> pictures = m_excluded.Without(PicturesAfter(current));
    if (!m_settings.Shuffle)
        return pictures;
    return m_shuffle.Upcoming(pictures, current);
}

std::vector<std::string> PictureAtHand::PreviousPictures() const
{
    return m_history.Candidates(m_settings.CurPicFileName, m_excluded);
}

void PictureAtHand::Shown(const std::string& picture, Step step)
{
    const std::string historyBefore = m_history.Text();
    if (step == Step::Back)
        m_history.WentBackTo(picture);
    else if (picture != m_settings.CurPicFileName)
        m_history.Record(m_settings.CurPicFileName);
    Write("History", historyBefore, m_history.Text());

    if (step == Step::Forward && m_settings.Shuffle) {
        const std::string roundBefore = m_shuffle.Text();
        m_shuffle.Shown(picture);
        Write("ShuffleRound", roundBefore, m_shuffle.Text());
    }
    m_settings.CurPicFileName = picture;
}

void PictureAtHand::Chosen(const std::string& picture)
{
    if (picture != m_settings.CurPicFileName) {
        const std::string historyBefore = m_history.Text();
        m_history.Record(m_settings.CurPicFileName);
        Write("History", historyBefore, m_history.Text());
    }
    // Chosen by name: the user wants to see it after all.
    const std::string excludedBefore = m_excluded.Text();
    m_excluded.Remove(picture);
    Write("Excluded", excludedBefore, m_excluded.Text());
    m_settings.CurPicFileName = picture;
}

bool PictureAtHand::ExcludeCurrent()
{
    if (!CurrentPictureExists())
        return false;
    const std::string before = m_excluded.Text();
    m_excluded.Add(m_settings.CurPicFileName);
    Write("Excluded", before, m_excluded.Text());
    return true;
}

void PictureAtHand::ShowExcludedAgain()
{
    const std::string before = m_excluded.Text();
    m_excluded.Clear();
    Write("Excluded", before, "");
}

bool PictureAtHand::CurrentPictureExists() const
{
    return PictureFileExists(m_settings.CurPicFileName);
}

void PictureAtHand::SetPaused(bool paused)
{
    m_settings.Paused = paused;
    m_key.WriteString("Paused", paused ? "1" : "0");
}

void PictureAtHand::SetShuffle(bool shuffle)
{
    m_settings.Shuffle = shuffle;
    m_key.WriteString("Shuffle", shuffle ? "1" : "0");
    // Turned on, a new round starts at the next change.
    const std::string before = m_shuffle.Text();
    m_shuffle.Clear();
    Write("ShuffleRound", before, "");
}

void PictureAtHand::Write(const char* name, const std::string& before, const std::string& after)
{
    if (after != before)
        m_key.WriteString(name, after);
}
