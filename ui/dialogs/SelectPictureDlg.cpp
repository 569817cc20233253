#include "ui/dialogs/SelectPictureDlg.h"

#include "framework/Dpi.h"
#include "framework/App.h"
#include "framework/DataExchange.h"
#include "framework/Path.h"
#include "framework/ResourceString.h"
#include "framework/WideText.h"
#include "image/ImageFileType.h"
#include "resources/resource.h"
#include "ui/controls/DialogColours.h"
#include "ui/help/HtmlHelpViewer.h"
#include "ui/dialogs/FolderBrowser.h"
#include "ui/dialogs/PictureFolder.h"
#include "ui/dialogs/PreviewFrame.h"
#include "ui/dialogs/PreviewPicture.h"
#include "ui/dialogs/PreviewReason.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>

namespace {

// Timer 5 draws the first preview once the dialog has shown.
constexpr UINT_PTR kPreviewTimer = 5;
constexpr UINT kPreviewDelay = 500; // ms

// A preview job's "done" reaches the dialog as this message.
constexpr UINT kPreviewReadMessage = WM_APP + 18;

// The name, type and date columns: their widths in pixels at 96 DPI.
constexpr int kColumnWidths[] = {130, 50, 130};

// The preview picture keeps this much of the frame free on every side.
constexpr int kPreviewMargin = 3;

// The folder the dialog opens on before any picture was chosen (the first
// start's value is a folder, the Windows directory): the user's pictures,
// where a user keeps them, when the system says where that is.
std::string FirstFolderToList(const std::string& selected)
{
    char pictures[MAX_PATH] = {};
    if (selected.empty() || selected.back() != '\\' ||
        FAILED(SHGetFolderPathA(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, pictures)))
        return DirectoryOfPath(selected) + "\\";
    return WithTrailingBackslash(pictures);
}

// The template places the dialog at its owner's top-left corner, where it
// would hide the window it was opened from; centre it over the owner
// instead, kept inside the owner's monitor.
void CentreOverOwner(HWND dialog)
{
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner || !IsWindowVisible(owner))
        return;
    RECT ownerRect;
    RECT dialogRect;
    GetWindowRect(owner, &ownerRect);
    GetWindowRect(dialog, &dialogRect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = dialogRect.right - dialogRect.left;
    const int height = dialogRect.bottom - dialogRect.top;
    int x = (ownerRect.left + ownerRect.right - width) / 2;
    int y = (ownerRect.top + ownerRect.bottom - height) / 2;
    x = std::max<int>(work.left, std::min<int>(x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

CSelectPictureDlg::CSelectPictureDlg(CWnd* parent) : CDialog(IDD_SELECT_PICTURE, parent) {}

void CSelectPictureDlg::DoDataExchange(CDataExchange* dx)
{
    if (!m_fileList.m_hWnd)
        m_fileList.SubclassDlgItem(IDC_FILE_LIST, this);
    DDX_Check(dx, IDC_PREVIEW, previewEnabled);
    DDX_Check(dx, IDC_INCLUDE_SUBFOLDERS, includeSubfolders);
    DDX_Text(dx, IDC_CURRENT_FILE, currentFileText);
    DDX_Text(dx, IDC_PICTURE_SIZE, sizeText);
}

BOOL CSelectPictureDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CentreOverOwner(m_hWnd);
    InsertColumns();
    m_folders.Attach(GetDlgItem(IDC_FOLDER_LIST));
    m_folders.Fill(folders, FirstFolderToList(selectedPath), selectedPath);
    folderPath = m_folders.Selected();
    ::EnableWindow(GetDlgItem(IDC_REMOVE_FOLDER), m_folders.Folders().size() > 1);
    currentFileText = selectedPath;
    FillFileList();
    m_fileList.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    MarkCurrentFile();
    previewFrame.reset();
    SetTimer(kPreviewTimer, kPreviewDelay);
    UpdateData(FALSE);
    EnableOkForListedPicture();
    return TRUE;
}

bool CSelectPictureDlg::IsListedPicture() const
{
    // The list names the pictures relative to the folder.
    if (selectedPath.compare(0, folderPath.size(), folderPath) != 0)
        return false;
    return m_pictures.IndexOf(selectedPath.substr(folderPath.size())) >= 0;
}

void CSelectPictureDlg::EnableOkForListedPicture()
{
    // A folder (the first start's "C:\windows\") or a picture of another
    // folder is no choice: OK waits for a picture of the list.
    ::EnableWindow(GetDlgItem(IDOK), IsListedPicture());
}

void CSelectPictureDlg::OnOK()
{
    // Enter reaches the dialog also while its OK button is disabled.
    if (!IsListedPicture())
        return;
    folders = m_folders.Folders();
    CDialog::OnOK();
}

void CSelectPictureDlg::InsertColumns()
{
    m_fileList.InsertColumn(0, LoadResourceString(IDS_COLUMN_FILE_NAME), LVCFMT_LEFT, 0);
    m_fileList.InsertColumn(1, LoadResourceString(IDS_COLUMN_TYPE), LVCFMT_CENTER, 0);
    m_fileList.InsertColumn(2, LoadResourceString(IDS_COLUMN_MODIFIED), LVCFMT_CENTER, 0);
    SizeColumns(WindowDpi(m_hWnd));
}

void CSelectPictureDlg::SizeColumns(UINT dpi)
{
    // The list grows with the dialog's font, which follows the DPI.
    for (int column = 0; column < static_cast<int>(std::size(kColumnWidths)); ++column)
        ListView_SetColumnWidth(m_fileList.m_hWnd, column, ScaleForDpi(kColumnWidths[column], dpi));
    if (!includeSubfolders)
        return;
    // Names with their subfolders are longer: the name takes what the
    // other two columns leave of the list (less a scroll bar's width).
    RECT client{};
    ::GetClientRect(m_fileList.m_hWnd, &client);
    const int rest = client.right - GetSystemMetrics(SM_CXVSCROLL) - ScaleForDpi(kColumnWidths[1], dpi) -
                     ScaleForDpi(kColumnWidths[2], dpi);
    ListView_SetColumnWidth(m_fileList.m_hWnd, 0, std::max(rest, ScaleForDpi(kColumnWidths[0], dpi)));
}

void CSelectPictureDlg::FillFileList()
{
    // The system searches no folder whose path is longer than it takes: say
    // so, rather than show an empty list.
    if (!FitsSystemPath(folderPath + "*"))
        AfxMessageBox(IDS_FOLDER_PATH_TOO_LONG, MB_OK | MB_ICONWARNING);
    if (includeSubfolders)
        m_pictures.ReadTree(folderPath);
    else
        m_pictures.Read(folderPath);
    // Filling the list is setting its count: it asks for each text it shows.
    m_fileList.SetRedraw(FALSE);
    m_fileList.SetItemCount(m_pictures.Count());
    m_fileList.SetRedraw(TRUE);
}

void CSelectPictureDlg::ClearFileList()
{
    // The list first, so it never asks for a text that is gone.
    m_fileList.DeleteAllItems();
    m_pictures.Clear();
}

void CSelectPictureDlg::MarkCurrentFile()
{
    // Exact and case-sensitive, from the top of the list.
    if (selectedPath.compare(0, folderPath.size(), folderPath) != 0)
        return;
    const int item = m_pictures.IndexOf(selectedPath.substr(folderPath.size()));
    if (item < 0)
        return;
    m_fileList.SetHotItem(item);
    m_fileList.EnsureVisible(item, TRUE);
}

// ---- The preview

RECT CSelectPictureDlg::PreviewArea() const
{
    RECT area{};
    ::GetClientRect(GetDlgItem(IDC_PREVIEW_FRAME), &area);
    InflateRect(&area, -kPreviewMargin, -kPreviewMargin);
    return area;
}

void CSelectPictureDlg::LoadPreview()
{
    const int type = ImageTypeForPictureFile(currentFileText);
    if (type < 0)
        return;
    if (m_previewJob) {
        // Decided when the running one is done: the choice of that moment.
        m_previewWaiting = true;
        return;
    }
    StartPreviewJob(currentFileText, type);
}

void CSelectPictureDlg::StartPreviewJob(const std::string& picture, int type)
{
    const RECT area = PreviewArea();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    m_previewRead = std::make_shared<PreviewRead>();
    m_previewRead->picture = picture;
    m_previewJob = std::make_unique<CBackgroundJob>(
        [read = m_previewRead, type, width, height] {
            const PreviewPicture decoded = LoadPreviewPicture(read->picture, type, width, height);
            // The size the file declares says why a picture is refused.
            read->fileWidth = decoded.fileWidth;
            read->fileHeight = decoded.fileHeight;
            if (!decoded.Loaded())
                return;
            read->loaded = true;
            read->decodedWidth = decoded.image->GetWidth();
            read->frame = MakePreviewFrame(*decoded.image, width, height, kDialogBackColour);
        },
        m_hWnd, kPreviewReadMessage);
}

void CSelectPictureDlg::OnPreviewRead()
{
    if (!m_previewJob || !m_previewJob->Finished())
        return;
    m_previewJob.reset();
    const std::shared_ptr<PreviewRead> read = std::move(m_previewRead);
    if (m_previewWaiting) {
        m_previewWaiting = false;
        // Chosen meanwhile: that one is read next, this one never shows.
        if (read->picture != currentFileText) {
            LoadPreview();
            if (m_previewJob)
                return;
        }
    }
    previewFrame = std::move(read->frame);
    previewDecodedWidth = read->decodedWidth;
    m_previewReason.clear();
    if (!read->loaded || !previewFrame) {
        previewFrame.reset();
        m_previewReason = PreviewFailureReason(read->fileWidth, read->fileHeight);
        sizeText.clear();
        UpdateData(FALSE);
        // The frame still shows the picture before; the next paint of the
        // dialog erases it and says why there is none.
        RECT frame{};
        ::GetWindowRect(GetDlgItem(IDC_PREVIEW_FRAME), &frame);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&frame), 2);
        ::InvalidateRect(m_hWnd, &frame, TRUE);
        return;
    }
    char size[32];
    std::snprintf(size, sizeof size, " %d*%d", read->fileWidth, read->fileHeight);
    sizeText = LoadResourceString(IDS_PICTURE_SIZE_LABEL) + size;
    UpdateData(FALSE);
    if (previewEnabled)
        DrawPreview();
}

void CSelectPictureDlg::DrawPreview()
{
    HWND frame = GetDlgItem(IDC_PREVIEW_FRAME);
    const WindowDc dc(frame);
    if (!dc.Get())
        return;
    if (!previewFrame) {
        if (!m_previewReason.empty())
            DrawPreviewReason(dc.Get(), PreviewArea(), reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)),
                              m_previewReason);
        return;
    }
    const OwnedDc source(CreateCompatibleDC(dc.Get()));
    if (!source.Get())
        return;
    const ScopedSelectObject selected(source.Get(), *previewFrame);
    const RECT area = PreviewArea();
    BitBlt(dc.Get(), area.left, area.top, area.right - area.left, area.bottom - area.top, source.Get(), 0, 0, SRCCOPY);
}

void CSelectPictureDlg::ShowPreview()
{
    LoadPreview();
    DrawPreview();
}

// ---- Handlers

void CSelectPictureDlg::OnItemChanged(const NMLISTVIEW& change)
{
    // Only a newly selected item changes the choice. Focus moves, and the
    // item that loses the selection on the way to the next one, leave the
    // chosen file and its preview as they are (one decode a key, not two).
    const bool selectedNow =
        (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
    if (!selectedNow)
        return;
    UpdateData(TRUE);
    const int selected = m_fileList.GetNextItem(-1, LVNI_SELECTED);
    if (selected >= 0) {
        currentFileText = m_pictures.Text(selected, 0);
        selectedPath = folderPath + currentFileText;
        currentFileText = selectedPath;
        EnableOkForListedPicture();
    }
    if (previewEnabled) {
        KillTimer(kPreviewTimer); // what it would draw is on its way now
        ShowPreview();
    }
    UpdateData(FALSE);
}

std::string CSelectPictureDlg::BrowseFolder()
{
    // The browser opens at the folder listed now ("C:\pics", but "T:\").
    std::string listed = folderPath;
    if (listed.size() > 3)
        listed.pop_back();
    return BrowseForFolder(m_hWnd, LoadResourceString(IDS_FOLDER_BROWSER_TITLE), listed);
}

void CSelectPictureDlg::OnChooseFolder()
{
    const std::string chosen = BrowseFolder();
    if (chosen.empty())
        return;
    m_folders.ReplaceSelected(chosen);
    ListSelectedFolder();
    // The folder just chosen is the one OK takes: its first picture is the
    // choice until the user picks another.
    if (m_pictures.Count() > 0)
        ListView_SetItemState(m_fileList.m_hWnd, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnableOkForListedPicture();
}

void CSelectPictureDlg::OnAddFolder()
{
    const std::string chosen = BrowseFolder();
    if (chosen.empty())
        return;
    m_folders.Add(chosen);
    ListSelectedFolder();
}

void CSelectPictureDlg::OnRemoveFolder()
{
    m_folders.RemoveSelected();
    ListSelectedFolder();
}

void CSelectPictureDlg::ListSelectedFolder()
{
    folderPath = m_folders.Selected();
    ::EnableWindow(GetDlgItem(IDC_REMOVE_FOLDER), m_folders.Folders().size() > 1);
    ClearFileList();
    FillFileList();
    SizeColumns(WindowDpi(m_hWnd));
    MarkCurrentFile();
    UpdateData(FALSE);
    EnableOkForListedPicture();
}

void CSelectPictureDlg::OnPreviewClicked()
{
    UpdateData(TRUE);
    if (previewEnabled) {
        ShowPreview();
        return;
    }
    // The picture stays loaded; erasing the dialog wipes the frame.
    sizeText.clear();
    UpdateData(FALSE);
    Invalidate(TRUE);
}

void CSelectPictureDlg::OnPreviewTimer()
{
    // Until the box is ticked the timer keeps running and does nothing.
    if (!previewEnabled)
        return;
    ShowPreview();
    KillTimer(kPreviewTimer);
}

LRESULT CSelectPictureDlg::OnListNotify(LPARAM lp)
{
    switch (reinterpret_cast<const NMHDR*>(lp)->code) {
    case LVN_ITEMCHANGED:
        OnItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lp));
        return 0;
    case LVN_GETDISPINFOA: {
        LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(lp)->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
            lstrcpynA(item.pszText, m_pictures.Text(item.iItem, item.iSubItem).c_str(), item.cchTextMax);
        return 0;
    }
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lp)->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
            // The list asks in UTF-16 when its parent says it wants that.
            lstrcpynW(item.pszText, Widen(m_pictures.Text(item.iItem, item.iSubItem)).c_str(), item.cchTextMax);
        return 0;
    }
    case LVN_ODFINDITEMA: {
        const auto* find = reinterpret_cast<const NMLVFINDITEMA*>(lp);
        if (!(find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find->lvfi.psz)
            return -1;
        return m_pictures.Find(find->lvfi.psz, find->lvfi.flags, find->iStart);
    }
    case LVN_ODFINDITEMW: {
        const auto* find = reinterpret_cast<const NMLVFINDITEMW*>(lp);
        if (!(find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find->lvfi.psz)
            return -1;
        return m_pictures.Find(Narrow(find->lvfi.psz), find->lvfi.flags, find->iStart);
    }
    }
    return 0;
}

LRESULT CSelectPictureDlg::OnCtlColor(UINT msg, WPARAM wp, LPARAM lp)
{
    HBRUSH brush = m_colours.Answer(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    return brush ? reinterpret_cast<LRESULT>(brush) : CDialog::WindowProc(msg, wp, lp);
}

BOOL CSelectPictureDlg::OnCommand(WPARAM wp, LPARAM lp)
{
    if (lp != 0 && !NotificationsLocked() && LOWORD(wp) == IDC_FOLDER_LIST && HIWORD(wp) == LBN_SELCHANGE) {
        m_folders.SelectionChanged();
        ListSelectedFolder();
        return TRUE;
    }
    if (lp == 0 || NotificationsLocked() || HIWORD(wp) != BN_CLICKED)
        return CDialog::OnCommand(wp, lp);
    switch (LOWORD(wp)) {
    case IDC_CHOOSE_FOLDER:
        OnChooseFolder();
        return TRUE;
    case IDC_ADD_FOLDER:
        OnAddFolder();
        return TRUE;
    case IDC_REMOVE_FOLDER:
        OnRemoveFolder();
        return TRUE;
    case IDC_INCLUDE_SUBFOLDERS:
        UpdateData(TRUE);
        ListSelectedFolder();
        return TRUE;
    case IDC_PREVIEW:
        OnPreviewClicked();
        return TRUE;
    case IDC_SELECT_HELP:
        ShowHelpFileTopic(kSelectPictureHelpTopic);
        return TRUE;
    }
    return CDialog::OnCommand(wp, lp);
}

LRESULT CSelectPictureDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case kDpiChangedMessage:
        // The system scales the dialog and its font to the new monitor; the
        // columns are ours.
        SizeColumns(LOWORD(wp));
        break;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lp)->idFrom == IDC_FILE_LIST)
            return OnListNotify(lp);
        break;
    case kPreviewReadMessage:
        OnPreviewRead();
        return 0;
    case WM_TIMER:
        if (wp != kPreviewTimer)
            break;
        OnPreviewTimer();
        return 0;
    case WM_PAINT: {
        const LRESULT result = CDialog::WindowProc(msg, wp, lp);
        if (previewEnabled)
            DrawPreview();
        return result;
    }
    // Every kind but list boxes, the dialog itself included; list boxes keep
    // the system's colours.
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return OnCtlColor(msg, wp, lp);
    }
    return CDialog::WindowProc(msg, wp, lp);
}

BOOL CSelectPictureDlg::DestroyWindow()
{
    m_pictures.Clear();
    // A picture still being read is left to finish alone.
    m_previewJob.reset();
    m_previewRead.reset();
    previewFrame.reset();
    return CDialog::DestroyWindow();
}
