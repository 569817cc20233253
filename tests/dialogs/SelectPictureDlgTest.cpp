// The select-picture dialog from the English module's template, created in
// this process and driven through its controls as a user would: the list,
// the preview, the folder browser and the buttons.
#include "framework/App.h"
#include "framework/Path.h"
#include "framework/ResourceString.h"
#include "image/ImageObject.h"
#include "resources/resource.h"
#include "tests/dialogs/FolderBrowserDriver.h"
#include "tests/dialogs/WineDrive.h"
#include "tests/engine/TestPictures.h"
#include "tests/image/support/LibraryWriters.h"
#include "tests/support/Program.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowHelpers.h"
#include "ui/help/HtmlHelpViewer.h"
#include "ui/dialogs/SelectPictureDlg.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

using dialog_tests::FolderBrowserDriver;
using dialog_tests::WineDrive;
using testing_support::PumpUntil;
using testing_support::TempFolder;

namespace {

constexpr DWORD kWait = 10000; // ms, deadline for anything the dialog does by itself
const COLORREF kDialogBackground = RGB(255, 128, 64);
const COLORREF kGreyPicture = RGB(128, 128, 128); // what WritePicture puts in a BMP

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// Gives a file this last-write time, read as local time.
void SetLocalWriteTime(const std::string& path, const SYSTEMTIME& local)
{
    SYSTEMTIME universal;
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal);
    FILETIME time;
    SystemTimeToFileTime(&universal, &time);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

class SelectPictureDlgTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        const std::string module = testing_support::TestProgramDirectory() + "\\English.dll";
        AfxSetResourceHandle(LoadLibraryA(module.c_str()));
        const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&classes);
    }

    void TearDown() override
    {
        if (dialog.m_hWnd)
            dialog.DestroyWindow();
    }

    // Opens the dialog over `selected` and shows it above every other window,
    // so what it draws can be read back from the screen.
    void Open(const std::string& selected, int preview = 0, const std::vector<std::string>& folders = {},
              int subfolders = 0)
    {
        dialog.selectedPath = selected;
        dialog.previewEnabled = preview;
        dialog.folders = folders;
        dialog.includeSubfolders = subfolders;
        ASSERT_TRUE(dialog.Create(IDD_SELECT_PICTURE, nullptr));
        SetWindowPos(dialog.m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow(dialog.m_hWnd);
    }

    HWND List() const { return dialog.GetDlgItem(IDC_FILE_LIST); }

    std::string Text(int id) const
    {
        char text[1024] = {};
        GetDlgItemTextA(dialog.m_hWnd, id, text, sizeof text);
        return text;
    }

    std::string ItemText(int item, int column) const
    {
        char text[MAX_PATH + 1] = {};
        LVITEMA info{};
        info.iSubItem = column;
        info.pszText = text;
        info.cchTextMax = sizeof text;
        SendMessageA(List(), LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&info));
        return text;
    }

    int Count() const { return static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0)); }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (int item = 0; item < Count(); ++item)
            names.push_back(ItemText(item, 0));
        return names;
    }

    int Selected() const { return static_cast<int>(SendMessageA(List(), LVM_GETNEXTITEM, -1, LVNI_SELECTED)); }
    int HotItem() const { return static_cast<int>(SendMessageA(List(), LVM_GETHOTITEM, 0, 0)); }

    // Selects an item as a click does.
    void Select(int item)
    {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(List(), LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
    }

    void Click(int id) { SendMessageA(dialog.GetDlgItem(id), BM_CLICK, 0, 0); }

    // Picks a folder with the folder button, answering the browser.
    bool ChooseFolder(const std::string& folder)
    {
        FolderBrowserDriver driver(dialog.m_hWnd, folder);
        Click(IDC_CHOOSE_FOLDER);
        return driver.Answered();
    }

    bool WaitForSizeLine(const std::string& expected)
    {
        return PumpUntil([&] { return Text(IDC_PICTURE_SIZE) == expected; }, kWait);
    }

    // The colour at the middle of the preview frame, as on the screen.
    COLORREF FrameCentre()
    {
        UpdateWindow(dialog.m_hWnd);
        HWND frame = dialog.GetDlgItem(IDC_PREVIEW_FRAME);
        RECT area;
        GetClientRect(frame, &area);
        HDC dc = GetDC(frame);
        const COLORREF colour = GetPixel(dc, area.right / 2, area.bottom / 2);
        ReleaseDC(frame, dc);
        return colour;
    }

    TempFolder folder;
    CSelectPictureDlg dialog;
};

TEST_F(SelectPictureDlgTest, ListsTheSearchBackwardsWithTypesAsWrittenAndLocalDates)
{
    for (const char* name : {"a.bmp", "b.jpg", "c.gif", "d.png", "e.jpeg", "notes.txt", "bmp"})
        folder.AddFile(name);
    SetLocalWriteTime(folder.File("b.jpg"), SYSTEMTIME{2021, 7, 0, 4, 9, 5, 3, 0});
    Open(folder.File("b.jpg"));

    // Type by type (BMP, JPEG, PNG, GIF), each match above the ones found
    // before it; .jpeg files are JPEG ones.
    const std::vector<std::string> expected = {"c.gif", "d.png", "e.jpeg", "b.jpg", "a.bmp"};
    EXPECT_EQ(expected, Names());
    EXPECT_EQ("jpg", ItemText(3, 1));
    EXPECT_EQ("2021-07-04 09:05:03", ItemText(3, 2));
    // The current picture is marked, nothing is chosen yet.
    EXPECT_EQ(3, HotItem());
    EXPECT_EQ(-1, Selected());
    EXPECT_EQ(folder.File("b.jpg"), Text(IDC_CURRENT_FILE));
    EXPECT_EQ("", Text(IDC_PICTURE_SIZE));

    // Typing a name's first letter chooses it.
    SetFocus(List());
    SendMessageA(List(), WM_CHAR, 'd', 1); // repeat count 1, as typed
    EXPECT_EQ(1, Selected());
    EXPECT_EQ(folder.File("d.png"), dialog.selectedPath);
    EXPECT_EQ(folder.File("d.png"), Text(IDC_CURRENT_FILE));
}

TEST_F(SelectPictureDlgTest, UpperCaseJpgIsListedAsWrittenAndAHandedInJpegPreviews)
{
    ASSERT_TRUE(WritePicture(folder.File("x.JPG"), 40, 30));
    ASSERT_TRUE(WritePicture(folder.File("y.jpeg"), 50, 20));
    Open(folder.File("y.jpeg"), 1);

    ASSERT_EQ((std::vector<std::string>{"y.jpeg", "x.JPG"}), Names());
    EXPECT_EQ("JPG", ItemText(1, 1));
    EXPECT_EQ(0, HotItem());
    // Timer 5 draws the picture the caller handed in.
    EXPECT_TRUE(WaitForSizeLine("Picture size: 50*20")) << Text(IDC_PICTURE_SIZE);

    Select(1);
    EXPECT_EQ(folder.File("x.JPG"), dialog.selectedPath);
    EXPECT_TRUE(WaitForSizeLine("Picture size: 40*30")) << Text(IDC_PICTURE_SIZE);
    ASSERT_NE(nullptr, dialog.PreviewFrame());
}

TEST_F(SelectPictureDlgTest, PreviewOffLeavesTheFrameBlankAndTickingItDrawsTheCurrentPicture)
{
    ASSERT_TRUE(WritePicture(folder.File("grey.bmp"), 64, 48));
    Open(folder.File("grey.bmp"));
    EXPECT_EQ("", Text(IDC_PICTURE_SIZE));
    EXPECT_EQ(kDialogBackground, FrameCentre());

    Click(IDC_PREVIEW);
    EXPECT_TRUE(WaitForSizeLine("Picture size: 64*48"));
    EXPECT_EQ(kGreyPicture, FrameCentre());

    // Off again: the size line goes and the frame is wiped.
    Click(IDC_PREVIEW);
    EXPECT_EQ("", Text(IDC_PICTURE_SIZE));
    EXPECT_EQ(kDialogBackground, FrameCentre());
}

// The frame says why: unreadable, or over the size rule (a JPEG that
// declares 20000 x 15000 pixels).
TEST_F(SelectPictureDlgTest, APictureThatDoesNotLoadClearsThePreviewAndTheSizeLineAndSaysWhy)
{
    ASSERT_TRUE(WritePicture(folder.File("good.bmp"), 8, 6));
    WriteBytes(folder.File("bad.jpg"), std::string(4096, '\x5a'));
    ASSERT_TRUE(WriteTestJpeg(folder.File("huge.jpg"), 8, 8, 1, std::vector<uint8_t>(64, 90)));
    std::ifstream written(folder.File("huge.jpg"), std::ios::binary);
    std::string huge((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
    written.close();
    huge.replace(huge.find("\xFF\xC0") + 5, 4, "\x3A\x98\x4E\x20"); // height 15000, width 20000
    WriteBytes(folder.File("huge.jpg"), huge);
    // A PNG that declares 40000 pixels a side is refused before it is decoded.
    ASSERT_TRUE(WritePicture(folder.File("wide.png"), 8, 6));
    std::ifstream png(folder.File("wide.png"), std::ios::binary);
    std::string wide((std::istreambuf_iterator<char>(png)), std::istreambuf_iterator<char>());
    png.close();
    WriteBytes(folder.File("wide.png"), wide.replace(16, 4, std::string("\0\0\x9C\x40", 4)));
    Open(folder.File("good.bmp"), 1);
    ASSERT_TRUE(WaitForSizeLine("Picture size: 8*6"));
    const std::vector<std::string> expected = {"wide.png", "huge.jpg", "bad.jpg", "good.bmp"};
    ASSERT_EQ(expected, Names());

    ASSERT_EQ(kGreyPicture, FrameCentre());
    const std::string tooLarge = FormatResourceString(IDS_PREVIEW_TOO_LARGE, "20000", "15000");
    const std::string tooWide = FormatResourceString(IDS_PREVIEW_TOO_LARGE, "40000", "6");
    for (const auto& [item, reason] :
         {std::pair{2, LoadResourceString(IDS_PREVIEW_UNREADABLE)}, {1, tooLarge}, {0, tooWide}}) {
        Select(item);
        EXPECT_TRUE(PumpUntil([&] { return dialog.PreviewReason() == reason; }, kWait)) << dialog.PreviewReason();
        EXPECT_EQ("", Text(IDC_PICTURE_SIZE));
        EXPECT_EQ(nullptr, dialog.PreviewFrame());
        EXPECT_NE(kGreyPicture, FrameCentre());
    }
    Select(3);
    EXPECT_TRUE(WaitForSizeLine("Picture size: 8*6"));
    EXPECT_EQ("", dialog.PreviewReason());
}

TEST_F(SelectPictureDlgTest, ALargeJpegPreviewsAtReducedScaleWithItsRealSize)
{
    const int width = 2400;
    const int height = 1800;
    std::vector<uint8_t> grey(static_cast<size_t>(width) * height, 90);
    ASSERT_TRUE(WriteTestJpeg(folder.File("large.jpg"), width, height, 1, grey));
    Open(folder.File("large.jpg"), 1);

    // The size line a whole-picture decode gives.
    const CImageObject whole(folder.File("large.jpg"), JPG);
    ASSERT_EQ(width, whole.GetWidth());
    EXPECT_TRUE(WaitForSizeLine("Picture size: 2400*1800")) << Text(IDC_PICTURE_SIZE);

    // Decoded at the smallest eighth that still covers the frame.
    RECT frame;
    GetClientRect(dialog.GetDlgItem(IDC_PREVIEW_FRAME), &frame);
    const int coverWidth = frame.right - 6;
    const int coverHeight = frame.bottom - 6;
    int eighths = 1;
    while (eighths < 8 && ((width * eighths + 7) / 8 < coverWidth || (height * eighths + 7) / 8 < coverHeight))
        ++eighths;
    EXPECT_EQ((width * eighths + 7) / 8, dialog.PreviewDecodedWidth());
    EXPECT_LT(dialog.PreviewDecodedWidth(), width);
}

TEST_F(SelectPictureDlgTest, ThePreviewKeepsThePicturesShapeAndItsThinLines)
{
    // Wide and white, with thirteen one-pixel black lines: shrunk about four
    // times by picking rows, most lines would vanish.
    CImageObject lines;
    ASSERT_TRUE(lines.Create(1500, 300, 24, -1));
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 1500; ++x)
            lines.SetPixelColor(x, y, y % 23 == 11 ? 0 : 255, y % 23 == 11 ? 0 : 255, y % 23 == 11 ? 0 : 255);
    ASSERT_EQ(1, lines.Save(folder.File("lines.bmp"), BMP));
    Open(folder.File("lines.bmp"), 1);
    ASSERT_TRUE(WaitForSizeLine("Picture size: 1500*300"));

    UpdateWindow(dialog.m_hWnd);
    HWND frame = dialog.GetDlgItem(IDC_PREVIEW_FRAME);
    RECT area;
    GetClientRect(frame, &area);
    HDC dc = GetDC(frame);
    const int x = area.right / 2;
    const int pictureHeight = (area.right - 6) * 300 / 1500;
    const int top = (area.bottom - pictureHeight) / 2;
    EXPECT_EQ(kDialogBackground, GetPixel(dc, x, top - 3)) << "the band above the picture";
    EXPECT_EQ(kDialogBackground, GetPixel(dc, x, area.bottom - top + 3)) << "and below it";
    int marks = 0;
    bool inMark = false;
    for (int y = top; y < top + pictureHeight; ++y) {
        const bool dark = GetRValue(GetPixel(dc, x, y)) < 235;
        marks += dark && !inMark;
        inMark = dark;
    }
    ReleaseDC(frame, dc);
    EXPECT_EQ(13, marks) << "every line leaves its mark";
}

TEST_F(SelectPictureDlgTest, AFolderChosenInADriveRootGivesPathsWithOneBackslash)
{
    TempFolder driveFolder;
    driveFolder.AddFile("p.bmp");
    driveFolder.AddFile("q.gif");
    const WineDrive drive('t', driveFolder.Path());
    ASSERT_TRUE(drive.Mapped());
    folder.AddFile("a.bmp");

    // A folder chosen, OK without picking: the new folder's first picture.
    Open(folder.File("a.bmp"));
    ASSERT_TRUE(ChooseFolder(drive.Root()));
    const std::vector<std::string> expected = {"q.gif", "p.bmp"};
    EXPECT_EQ(expected, Names());
    EXPECT_EQ("T:\\q.gif", Text(IDC_CURRENT_FILE));
    Click(IDOK);
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    EXPECT_EQ("T:\\q.gif", dialog.selectedPath);

    // The browser opens at the folder listed: OK there takes its first picture.
    Open("T:\\p.bmp");
    ASSERT_TRUE(ChooseFolder(""));
    EXPECT_EQ("T:\\q.gif", dialog.selectedPath);
    Click(IDCANCEL);

    // Picked in the root: one backslash after the drive.
    Open(folder.File("a.bmp"));
    ASSERT_TRUE(ChooseFolder(drive.Root()));
    Select(1);
    Click(IDOK);
    EXPECT_EQ("T:\\p.bmp", dialog.selectedPath);
}

TEST_F(SelectPictureDlgTest, TheFirstRunValueListsTheUsersPicturesWithNothingMarked)
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    char pictures[MAX_PATH] = {};
    ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_MYPICTURES | CSIDL_FLAG_CREATE, nullptr, 0, pictures));
    const std::string ofWindows = std::string(windows) + "\\tessaly-select-test.bmp";
    const std::string ofUser = std::string(pictures) + "\\tessaly-select-mine.bmp";
    ASSERT_TRUE(WritePicture(ofWindows, 4, 4) && WritePicture(ofUser, 4, 4));
    Open(std::string(windows) + "\\");
    const std::vector<std::string> names = Names();
    DeleteFileA(ofWindows.c_str());
    DeleteFileA(ofUser.c_str());

    EXPECT_EQ(std::find(names.begin(), names.end(), "tessaly-select-test.bmp"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "tessaly-select-mine.bmp"), names.end());
    EXPECT_EQ(std::string(windows) + "\\", dialog.selectedPath) << "kept until a picture is picked";
    EXPECT_EQ(-1, HotItem());
    // A folder is no picture: neither the OK button nor Enter takes it.
    EXPECT_FALSE(IsWindowEnabled(dialog.GetDlgItem(IDOK)));
    SendMessageA(dialog.m_hWnd, WM_COMMAND, IDOK, 0);
    EXPECT_NE(nullptr, dialog.m_hWnd);
}

TEST_F(SelectPictureDlgTest, SeveralFoldersAreAddedChosenAndRemovedAndSubfoldersListedByRelativeName)
{
    const TempFolder other;
    other.AddFile("o.png");
    CreateDirectoryA(folder.File("2024").c_str(), nullptr);
    CreateDirectoryA(folder.File("2024\\06").c_str(), nullptr);
    folder.AddFile("top.bmp");
    folder.AddFile("2024\\06\\IMG_1.jpg");
    const auto folderList = [&] {
        std::vector<std::string> names;
        HWND list = dialog.GetDlgItem(IDC_FOLDER_LIST);
        for (int item = 0; item < SendMessageA(list, LB_GETCOUNT, 0, 0); ++item) {
            char text[MAX_PATH + 1] = {};
            SendMessageA(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(text));
            names.push_back(text);
        }
        return names;
    };
    const auto pickFolder = [&](int index) {
        SendMessageA(dialog.GetDlgItem(IDC_FOLDER_LIST), LB_SETCURSEL, index, 0);
        SendMessageA(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_FOLDER_LIST, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDC_FOLDER_LIST)));
    };

    // Opened on the folder that holds the picture, the one below it marked.
    Open(folder.File("2024\\06\\IMG_1.jpg"), 0, {other.Path(), folder.Path()}, 1);
    EXPECT_EQ((std::vector<std::string>{other.Path(), folder.Path()}), folderList());
    EXPECT_EQ((std::vector<std::string>{"2024\\06\\IMG_1.jpg", "top.bmp"}), Names());
    EXPECT_EQ(0, HotItem());
    EXPECT_EQ("jpg", ItemText(0, 1));
    EXPECT_FALSE(ItemText(0, 2).empty()) << "the date, read as the list shows it";
    EXPECT_TRUE(IsWindowEnabled(dialog.GetDlgItem(IDOK)));
    // Subfolders off: the picture below is no choice.
    Click(IDC_INCLUDE_SUBFOLDERS);
    EXPECT_EQ(std::vector<std::string>{"top.bmp"}, Names());
    EXPECT_FALSE(IsWindowEnabled(dialog.GetDlgItem(IDOK)));

    pickFolder(0);
    EXPECT_EQ(std::vector<std::string>{"o.png"}, Names());
    Click(IDC_REMOVE_FOLDER);
    EXPECT_EQ(std::vector<std::string>{folder.Path()}, folderList());
    EXPECT_FALSE(IsWindowEnabled(dialog.GetDlgItem(IDC_REMOVE_FOLDER))) << "the last folder stays";
    {
        FolderBrowserDriver driver(dialog.m_hWnd, other.Path());
        Click(IDC_ADD_FOLDER);
        ASSERT_TRUE(driver.Answered());
    }
    EXPECT_EQ((std::vector<std::string>{folder.Path(), other.Path()}), folderList());
    EXPECT_EQ(std::vector<std::string>{"o.png"}, Names());
    Select(0);
    Click(IDOK);
    EXPECT_EQ(other.File("o.png"), dialog.selectedPath);
    EXPECT_EQ((std::vector<std::string>{folder.Path(), other.Path()}), dialog.folders);
    EXPECT_EQ(0, dialog.includeSubfolders);
}

std::vector<std::string>* g_helpTopics = nullptr;

TEST_F(SelectPictureDlgTest, HelpOpensTheDialogsTopicOfTheProgramsHelpFile)
{
    std::vector<std::string> topics;
    g_helpTopics = &topics;
    const HelpTopicHandler previous =
        SetHelpTopicHandler([](const std::string& topic) { g_helpTopics->push_back(topic); });
    Open(folder.File("a.bmp"));
    Click(IDC_SELECT_HELP);
    SetHelpTopicHandler(previous);

    const std::vector<std::string> expected = {ProgramDirectory() + "\\QL.chm::/QL_SelectPicDlg.htm"};
    EXPECT_EQ(expected, topics);
}

} // namespace
