#pragma once
// The select-picture dialog (template 138): the picture folders, the
// pictures of the one selected (and of its subfolders, when they count)
// with their type and date, the chosen picture's path and size, and a
// preview. It changes no setting itself: the caller hands in the current
// picture, the folders and the two flags and takes them back after OK.

#include "framework/BackgroundJob.h"
#include "framework/Dialog.h"
#include "framework/GdiObject.h"
#include "framework/ListCtrl.h"
#include "image/ImageObject.h"
#include "ui/controls/DialogColours.h"
#include "ui/dialogs/FolderList.h"
#include "ui/dialogs/ListedPictures.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

class CSelectPictureDlg : public CDialog {
  public:
    explicit CSelectPictureDlg(CWnd* parent = nullptr);

    BOOL DestroyWindow() override;

    // Lists the pictures of folderPath (two passes: count, then fill), the
    // last match of the search at the top; with subfolders, those below it too.
    void FillFileList();
    // Empties the list and frees the column texts.
    void ClearFileList();
    // Starts reading the chosen picture beside the dialog; its preview and
    // size line follow when it has been read. A file that is no picture type
    // leaves the preview as it was. While one is read, only the newest
    // choice waits.
    void LoadPreview();
    // Draws the preview into the preview frame.
    void DrawPreview();

    // What the preview shows (null when nothing does), and the width the
    // picture was decoded at for it.
    const CBitmap* PreviewFrame() const { return previewFrame.get(); }
    int PreviewDecodedWidth() const { return previewDecodedWidth; }
    // Why the preview frame shows no picture (empty while it shows one).
    const std::string& PreviewReason() const { return m_previewReason; }
    // A picture is being read for the preview.
    bool PreviewLoading() const { return m_previewJob != nullptr; }

    // In and out: the caller sets them before opening the dialog and takes
    // them back after OK. No folders: the folder of selectedPath alone (or
    // the user's pictures at the first start).
    std::string selectedPath;
    int previewEnabled = 0;
    std::vector<std::string> folders;
    int includeSubfolders = 0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;
    void OnOK() override;

  private:
    void InsertColumns();
    void SizeColumns(UINT dpi);
    // Whether selectedPath is a picture of the list.
    bool IsListedPicture() const;
    void EnableOkForListedPicture();
    // Makes the current picture the list's hot item and scrolls to it.
    void MarkCurrentFile();
    // The folder browser's answer, empty when cancelled.
    std::string BrowseFolder();
    void OnChooseFolder();
    void OnAddFolder();
    void OnRemoveFolder();
    // Another folder or the subfolders box: the list shows what they give.
    void ListSelectedFolder();
    void OnPreviewClicked();
    void OnItemChanged(const NMLISTVIEW& change);
    void OnPreviewTimer();
    void ShowPreview();
    void StartPreviewJob(const std::string& picture, int type);
    void OnPreviewRead();
    LRESULT OnListNotify(LPARAM lp);
    LRESULT OnCtlColor(UINT msg, WPARAM wp, LPARAM lp);
    // The preview frame's client rectangle less its 3-pixel margin.
    RECT PreviewArea() const;

    std::string folderPath; // always ends with a backslash
    // The preview as painted, the size of the preview area.
    std::unique_ptr<CBitmap> previewFrame;
    int previewDecodedWidth = 0;
    std::string m_previewReason;
    // What a preview job found.
    struct PreviewRead {
        std::string picture;
        bool loaded = false;
        int fileWidth = 0;
        int fileHeight = 0;
        int decodedWidth = 0;
        std::unique_ptr<CBitmap> frame;
    };
    std::unique_ptr<CBackgroundJob> m_previewJob;
    std::shared_ptr<PreviewRead> m_previewRead;
    bool m_previewWaiting = false;
    ListedPictures m_pictures;
    FolderList m_folders;
    CListCtrl m_fileList;
    std::string currentFileText;
    std::string sizeText;
    DialogColours m_colours;
};
