#include "engine/PictureAtHand.h"

#include "engine/PictureCatalogue.h"
#include "engine/PictureList.h"
#include "framework/Path.h"

#include <algorithm>

#include <unordered_set>
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
    if (m_catalogue)
        m_catalogue->SetSources(Sources());
}

namespace {

// A list value with `from` replaced by `to` wherever it stands.
std::string RenamedInList(const std::string& text, const PictureRename& rename)
{
    std::vector<std::string> paths = ParsePictureList(text, kLongestPictureListText);
    std::replace(paths.begin(), paths.end(), rename.from, rename.to);
    return JoinPictureList(paths);
}

} // namespace

void PictureAtHand::KeepCatalogue(HWND window, UINT message)
{
    m_catalogue = std::make_unique<CPictureCatalogue>();
    // The walk starts once Load has the settings.
    m_catalogue->Attach(window, message);
}

PictureSources PictureAtHand::Sources() const
{
    return ReadPictureSources(m_key, m_settings.CurPicFileName);
}

std::shared_ptr<const CatalogueSnapshot> PictureAtHand::CurrentSnapshot() const
{
    if (!m_catalogue)
        return nullptr;
    const PictureSources sources = Sources();
    // Another folder chosen, or the settings changed: the worker walks the
    // new sources while the window goes on.
    m_catalogue->SetSources(sources);
    auto snapshot = m_catalogue->Snapshot();
    return snapshot && snapshot->sources == sources ? snapshot : nullptr;
}

bool PictureAtHand::CatalogueReady()
{
    return !m_catalogue || CurrentSnapshot();
}

bool PictureAtHand::CatalogueCapped() const
{
    const auto snapshot = CurrentSnapshot();
    return snapshot && (snapshot->tree.depthCapped || snapshot->tree.countCapped);
}

void PictureAtHand::CatalogueChanged()
{
    if (!m_catalogue)
        return;
    for (const PictureRename& rename : m_catalogue->TakeRenames())
        Renamed(rename);
    // The current picture's folder may have been the one renamed.
    m_catalogue->SetSources(Sources());
}

void PictureAtHand::Renamed(const PictureRename& rename)
{
    const std::string historyBefore = m_history.Text();
    m_history.Load(RenamedInList(historyBefore, rename));
    Write("History", historyBefore, m_history.Text());
    const std::string excludedBefore = m_excluded.Text();
    m_excluded.Load(RenamedInList(excludedBefore, rename));
    Write("Excluded", excludedBefore, m_excluded.Text());
    const std::string roundBefore = m_shuffle.Text();
    m_shuffle.Renamed(rename.from, rename.to);
    Write("ShuffleRound", roundBefore, m_shuffle.Text());
    if (m_settings.CurPicFileName == rename.from) {
        m_settings.CurPicFileName = rename.to;
        m_key.WriteString("CurPicFileName", rename.to);
    }
}

std::vector<std::string> PictureAtHand::NextPictures()
{
    const std::string& current = m_settings.CurPicFileName;
    std::vector<std::string> after;
    if (!m_catalogue) {
        after = PicturesAfter(current);
    } else if (const auto snapshot = CurrentSnapshot()) {
        after = PicturesAfter(snapshot->Paths(), current);
    }
    std::vector<std::string> pictures = m_excluded.Without(after);
    if (!m_settings.Shuffle)
        return pictures;
    return m_shuffle.Upcoming(pictures, current);
}

std::vector<std::string> PictureAtHand::PreviousPictures() const
{
    // One look at the catalogue (and at the settings it is of) for the
    // whole history, not one for each of its pictures.
    const auto snapshot = CurrentSnapshot();
    const std::unordered_set<std::string> held =
        snapshot ? snapshot->Holding(m_history.Pictures()) : std::unordered_set<std::string>();
    return m_history.Candidates(m_settings.CurPicFileName, m_excluded, [&](const std::string& path) {
        return snapshot && SourcesCover(snapshot->sources, path) ? held.count(path) != 0 : PictureFileExists(path);
    });
}

void PictureAtHand::Shown(const std::string& picture, Step step)
{
    const std::string historyBefore = m_history.Text();
    if (step == Step::Back)
        m_history.WentBackTo(picture);
    else if (picture != m_settings.CurPicFileName)
        m_history.Record(m_settings.CurPicFileName, [this](const std::string& path) { return PictureThere(path); });
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
        m_history.Record(m_settings.CurPicFileName, [this](const std::string& path) { return PictureThere(path); });
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
    if (!m_catalogue)
        return PictureFileExists(m_settings.CurPicFileName);
    const auto snapshot = CurrentSnapshot();
    // Not walked yet: the menus take it as there rather than wait.
    return snapshot ? snapshot->Contains(m_settings.CurPicFileName) : !m_settings.CurPicFileName.empty();
}

bool PictureAtHand::PictureThere(const std::string& path) const
{
    const auto snapshot = CurrentSnapshot();
    if (snapshot && SourcesCover(snapshot->sources, path))
        return snapshot->Contains(path);
    return PictureFileExists(path);
}

bool PictureAtHand::CurrentFolderGone() const
{
    const std::string& current = m_settings.CurPicFileName;
    if (current.empty())
        return false;
    if (!m_catalogue)
        return !FolderExists(DirectoryOfPath(current));
    const auto snapshot = CurrentSnapshot();
    if (!snapshot)
        return false;
    const std::vector<std::string>& missing = snapshot->tree.missingFolders;
    return std::find(missing.begin(), missing.end(), DirectoryOfPath(current)) != missing.end() ||
           (!snapshot->Contains(current) && missing.size() == snapshot->sources.folders.size());
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
