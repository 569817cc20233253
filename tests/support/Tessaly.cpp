#include "tests/support/Tessaly.h"

#include "tests/support/WindowHelpers.h"

#include <atomic>
#include <thread>

namespace testing_support {

std::string ProgramPath()
{
    return TestProgramDirectory() + "\\Tessaly.exe";
}

bool SystemIsChinese()
{
    return PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_CHINESE;
}

std::wstring ProgramText(unsigned id)
{
    const std::string module = TestProgramDirectory() + (SystemIsChinese() ? "\\chinese.dll" : "\\English.dll");
    HMODULE texts = LoadLibraryExA(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!texts)
        return L"(no language module)";
    const wchar_t* text = nullptr;
    // Length 0 asks for a pointer to the resource's own text.
    const int length = LoadStringW(texts, id, reinterpret_cast<wchar_t*>(&text), 0);
    std::wstring result = length > 0 ? std::wstring(text, length) : L"(no string)";
    FreeLibrary(texts);
    return result;
}

namespace {

// "min" starts hidden, as at log-on, and so does a verb such as "/next" when
// no copy runs; "/min" and "-min" have always shown the window.
bool StartsHidden(const std::string& arguments)
{
    const bool flag = !arguments.empty() && (arguments[0] == '/' || arguments[0] == '-');
    return arguments == "min" || (flag && lstrcmpiA(arguments.c_str() + 1, "min") != 0);
}

} // namespace

Tessaly::Tessaly(const std::string& arguments, const std::string& folder, const std::string& workingDirectory)
    : m_program(std::make_unique<Program>((folder.empty() ? TestProgramDirectory() : folder) + "\\Tessaly.exe",
                                          arguments, workingDirectory))
{
    if (m_program->Started())
        m_startMessages = MessagesDuring([&] { WaitForMainWindow(StartsHidden(arguments)); });
}

Tessaly::~Tessaly()
{
    if (m_window && !m_program->WaitForExit(0)) {
        PostMessageW(m_window, WM_CLOSE, 0, 0);
        m_program->WaitForExit(kProgramDeadline);
    }
}

void Tessaly::WaitForMainWindow(bool hidden)
{
    m_window = m_program->WaitForWindow(kProgramCaption, kProgramDeadline);
    if (!m_window)
        return;
    // The caption exists from the window's creation on; the window shows
    // once its initialisation (and the start-up change) is over, and one
    // started with "min" hides again 50 ms later.
    PumpUntil([&] { return (IsWindowVisible(m_window) != FALSE) != hidden; }, kProgramDeadline);
    SendWithin(m_window, WM_NULL, 0, 0, kProgramDeadline);
}

bool Tessaly::IsChecked(int id) const
{
    return SendWithin(Control(id), BM_GETCHECK, 0, 0, kProgramDeadline) == BST_CHECKED;
}

std::wstring Tessaly::Text(int id) const
{
    wchar_t text[256] = {};
    SendWithin(Control(id), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), kProgramDeadline);
    return text;
}

bool Tessaly::Click(int id) const
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(Control(id), BM_CLICK, 0, 0, SMTO_NORMAL, kProgramDeadline, &result) != 0;
}

void Tessaly::Type(int id, const wchar_t* text) const
{
    SendWithin(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), kProgramDeadline);
}

void Tessaly::Command(WORD id) const
{
    SendWithin(m_window, WM_COMMAND, id, 0, kProgramDeadline);
}

void Tessaly::PostClick(int id) const
{
    PostMessageW(Control(id), BM_CLICK, 0, 0);
}

void Tessaly::PressSkinButton(int index) const
{
    HWND button = Control(kFirstSkinButtonId + index);
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}

std::vector<std::wstring> Tessaly::MessagesDuring(const std::function<void()>& step, size_t expected)
{
    std::atomic<bool> done{false};
    std::thread user([&] {
        step();
        done = true;
    });
    std::vector<std::wstring> texts;
    HWND answered = nullptr;
    PumpUntil(
        [&] {
            if (HWND box = m_program->WaitForMessageBox(0)) {
                if (box != answered) {
                    texts.push_back(MessageBoxText(box));
                    m_lastCaption = WindowTextW(box);
                    answered = box;
                }
                // Answered again while it stays: an answer that came while
                // the box was still being made can go unheard.
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                PumpUntil([&] { return !IsWindow(box); }, 1000);
            }
            return done.load() && texts.size() >= expected;
        },
        2 * kProgramDeadline);
    user.join();
    return texts;
}

HWND Tessaly::WaitForWindowOfClass(const wchar_t* className, const wchar_t* caption) const
{
    HWND found = nullptr;
    PumpUntil(
        [&] {
            for (HWND window : ProcessWindows(m_program->Id())) {
                wchar_t name[64] = {};
                GetClassNameW(window, name, 64);
                if (lstrcmpW(name, className) == 0 && IsWindowVisible(window) &&
                    (!caption || WindowTextW(window) == caption))
                    found = window;
            }
            return found != nullptr;
        },
        kProgramDeadline);
    return found;
}

bool Tessaly::BecomesVisible() const
{
    return m_window && PumpUntil([&] { return IsWindowVisible(m_window) != FALSE; }, kProgramDeadline);
}

bool Tessaly::BecomesHidden() const
{
    return m_window && PumpUntil([&] { return !IsWindowVisible(m_window); }, kProgramDeadline);
}

void Tessaly::EndSession()
{
    SendWithin(m_window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, kProgramDeadline);
    SendWithin(m_window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, kProgramDeadline);
    m_program->Terminate();
    m_window = nullptr;
}

bool Tessaly::Close()
{
    PostMessageW(m_window, WM_CLOSE, 0, 0);
    return m_program->WaitForExit(kProgramDeadline);
}

void CopyProgramFolder(const std::string& to)
{
    const std::string from = TestProgramDirectory();
    CreateDirectoryA(to.c_str(), nullptr);
    for (const char* file : {"Tessaly.exe", "English.dll", "chinese.dll"})
        CopyFileA((from + "\\" + file).c_str(), (to + "\\" + file).c_str(), FALSE);
    for (const char* folder : {"5D93A1E4_7B20_4C8F_A3D6_91E04F7B2C58", "6F0B2D91-3C4A-4E7B-9A15-2B7D40C8E3A6"}) {
        CreateDirectoryA((to + "\\" + folder).c_str(), nullptr);
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((from + "\\" + folder + "\\*.*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                CopyFileA((from + "\\" + folder + "\\" + found.cFileName).c_str(),
                          (to + "\\" + folder + "\\" + found.cFileName).c_str(), FALSE);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
}

} // namespace testing_support
