#pragma once
// Which picture Next, Previous and the schedule take beyond the folder's
// own order: the history behind Previous, the pictures never to be shown
// again, the shuffle round, and pause. Each is kept in its own text value
// of the settings key as soon as it changes; missing, they leave the
// program as it was before it had them.

#include "engine/PictureCatalogue.h"
#include "engine/PictureExclusions.h"
#include "engine/PictureHistory.h"
#include "engine/ShuffleRound.h"
#include "settings/RegistryKey.h"
#include "settings/Settings.h"

#include <memory>
#include <string>
#include <vector>

class PictureAtHand {
  public:
    // Forward: a change by the schedule or Next. Back: Previous.
    enum class Step { Forward, Back };

    // `settings` are the window's: the current picture, `Paused` and
    // `Shuffle` live there. `key` is the open settings key.
    PictureAtHand(Settings& settings, CRegistryKey& key, ShuffleRound::Random random = ShuffleRound::SystemRandom());

    // Reads the values; a damaged one starts clean and takes nothing else
    // with it.
    void Load();

    // From now on the pictures come from a catalogue kept beside `window`,
    // which hears `message` each time they change; until then (in tools
    // and tests) the folder is read at each change.
    void KeepCatalogue(HWND window, UINT message);
    // The sources the settings name now.
    PictureSources Sources() const;
    // Whether the catalogue has the pictures of the sources (always true
    // without a catalogue); NextPictures is empty until it has.
    bool CatalogueReady();
    // Whether the catalogue's last walk stopped at the depth or count cap
    // (for the tip); false without a catalogue.
    bool CatalogueCapped() const;
    // The catalogue changed: follows the renames it saw into the history,
    // the exclusions, the shuffle round and the current picture.
    void CatalogueChanged();

    // The pictures to try for the next change, in order.
    std::vector<std::string> NextPictures();
    // Where Previous goes, newest first.
    std::vector<std::string> PreviousPictures() const;
    // `picture`, one of NextPictures or PreviousPictures, is now the
    // wallpaper and becomes the current picture.
    void Shown(const std::string& picture, Step step);
    // The user picked `picture` in the select-picture dialog.
    void Chosen(const std::string& picture);

    // The current picture is never shown again; false when there is none.
    bool ExcludeCurrent();
    void ShowExcludedAgain();
    bool HasExcluded() const { return !m_excluded.Empty(); }
    bool CurrentPictureExists() const;
    // Whether `path` is a picture file there now: asked of the catalogue
    // when its walk reaches the picture's folder, so that Previous and the
    // menus never wait on a slow share; of the disk otherwise (a picture of
    // a folder chosen before).
    bool PictureThere(const std::string& path) const;
    // The current picture's folder cannot be read (renamed, deleted, a
    // card or share away).
    bool CurrentFolderGone() const;

    void SetPaused(bool paused);
    void SetShuffle(bool shuffle);

  private:
    void Write(const char* name, const std::string& before, const std::string& after);
    void Renamed(const PictureRename& rename);
    // The catalogue's pictures when they are of the current sources.
    std::shared_ptr<const CatalogueSnapshot> CurrentSnapshot() const;

    Settings& m_settings;
    CRegistryKey& m_key;
    PictureHistory m_history;
    PictureExclusions m_excluded;
    ShuffleRound m_shuffle;
    std::unique_ptr<CPictureCatalogue> m_catalogue;
};
