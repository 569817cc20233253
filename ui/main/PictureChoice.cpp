#include "ui/main/PictureChoice.h"

#include "framework/Dialog.h"
#include "framework/Path.h"
#include "framework/ResourceString.h"
#include "engine/PictureSources.h"
#include "resources/resource.h"
#include "settings/PictureSourceSettings.h"
#include "ui/dialogs/SelectPictureDlg.h"
#include "ui/main/AtHandCommands.h"
#include "ui/main/WallpaperSchedule.h"

#include <utility>

CPictureChoice::CPictureChoice(CDialog& window, Settings& settings, CRegistryKey& key, CWallpaperSchedule& schedule,
                               CAtHandCommands& atHand, std::function<void()> showPictureOff,
                               std::function<void()> sourcesChanged)
    : m_window(window), m_settings(settings), m_key(key), m_schedule(schedule), m_atHand(atHand),
      m_showPictureOff(std::move(showPictureOff)), m_sourcesChanged(std::move(sourcesChanged))
{
}

bool CPictureChoice::Choose()
{
    // The dialog takes the current picture and the preview flag and hands
    // both back after OK.
    CSelectPictureDlg dialog(&m_window);
    dialog.selectedPath = m_settings.CurPicFileName;
    dialog.previewEnabled = m_settings.Preview;
    dialog.folders = ParsePictureFolders(m_settings.Folders);
    dialog.includeSubfolders = m_settings.IncludeSubfolders;
    if (dialog.DoModal() != IDOK)
        return false;
    m_settings.Preview = dialog.previewEnabled;
    const bool sourcesChanged = TakeSources(dialog.folders, dialog.includeSubfolders);
    m_atHand.Chosen(dialog.selectedPath);
    if (sourcesChanged)
        m_sourcesChanged();
    return true;
}

bool CPictureChoice::TakeSources(const std::vector<std::string>& folders, int includeSubfolders)
{
    bool changed = false;
    if (includeSubfolders != m_settings.IncludeSubfolders) {
        m_settings.IncludeSubfolders = includeSubfolders;
        WriteIncludeSubfolders(m_key, m_settings);
        changed = true;
    }
    // One folder and none stored: the chosen picture's folder, as the
    // program has always taken it; nothing new is written. With subfolders
    // the folder is stored all the same: the current picture's folder would
    // wander down the tree with each change.
    if (m_settings.Folders.empty() && folders.size() == 1 && !includeSubfolders)
        return changed;
    return WriteFoldersIfChanged(folders) || changed;
}

bool CPictureChoice::WriteFoldersIfChanged(const std::vector<std::string>& folders)
{
    const std::string joined = JoinPictureFolders(folders);
    if (joined == m_settings.Folders)
        return false;
    m_settings.Folders = joined;
    WriteFolders(m_key, m_settings);
    return true;
}

void CPictureChoice::ToggleSubfolders()
{
    m_settings.IncludeSubfolders = m_settings.IncludeSubfolders ? 0 : 1;
    WriteIncludeSubfolders(m_key, m_settings);
    // The tree below the current picture's folder of this moment, not of
    // each picture to come (see TakeSources).
    if (m_settings.IncludeSubfolders && ParsePictureFolders(m_settings.Folders).empty() &&
        m_settings.CurPicFileName.find('\\') != std::string::npos)
        WriteFoldersIfChanged({DirectoryOfPath(m_settings.CurPicFileName)});
    m_sourcesChanged();
}

bool CPictureChoice::OnShowPictureTicked()
{
    const bool chosen = Choose();
    // Cleared when the picture is shown, or the box goes off again.
    m_tickAwaitsPicture = chosen;
    const bool shown = chosen && m_schedule.Scheduler().OnPictureChosen();
    if (chosen && !shown)
        ReportNoReadablePicture();
    if (!shown)
        m_tickAwaitsPicture = false;
    return shown;
}

void CPictureChoice::OnShowPictureUnticked()
{
    m_tickAwaitsPicture = false;
}

void CPictureChoice::OnSelectPictureButton()
{
    if (!Choose())
        return;
    // Not saved here: the next save, or the exit, stores the choice. When
    // nothing of the folder can be read the desktop keeps what it shows.
    if (!m_schedule.ApplyCurrentPicture())
        ReportNoReadablePicture();
}

void CPictureChoice::WallpaperShown()
{
    m_tickAwaitsPicture = false;
}

void CPictureChoice::NoReadablePicture()
{
    // Ticked for a picture of a folder with nothing readable: the box goes
    // off again, as when that was clear at once. From the Picture button the
    // desktop keeps what it shows.
    if (m_tickAwaitsPicture) {
        m_tickAwaitsPicture = false;
        m_schedule.Changer().Cancel();
        m_schedule.Scheduler().OnShowPictureOff();
        m_showPictureOff();
    }
    ReportNoReadablePicture();
}

void CPictureChoice::ReportNoReadablePicture()
{
    const std::string text =
        LoadResourceString(IDS_NO_READABLE_PICTURE) + "\n" + DirectoryOfPath(m_settings.CurPicFileName);
    MessageBoxA(m_window.m_hWnd, text.c_str(), LoadResourceString(IDS_APP_TITLE).c_str(), MB_OK | MB_ICONEXCLAMATION);
}
