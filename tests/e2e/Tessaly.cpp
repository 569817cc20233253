#include "tests/e2e/Tessaly.h"

#include "tests/support/WindowHelpers.h"

namespace e2e {

using namespace testing_support;

namespace {

constexpr wchar_t kCaption[] = L"Orvane Tessaly";

LRESULT Send(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, msg, wp, lp, SMTO_NORMAL, kDeadline, &result);
    return static_cast<LRESULT>(result);
}

} // namespace

std::string ProgramPath()
{
    return TestProgramDirectory() + "\\Tessaly.exe";
}

Tessaly::Tessaly(const std::string& arguments) : m_program(std::make_unique<Program>(ProgramPath(), arguments))
{
    if (m_program->Started())
        m_window = m_program->WaitForWindow(kCaption, kDeadline);
}

Tessaly::~Tessaly()
{
    m_program->Terminate();
}

bool Tessaly::IsChecked(int id) const
{
    return Send(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring Tessaly::Text(int id) const
{
    // GetWindowText gives only the caption stored with the window; an
    // edit of another process must be asked for its text.
    wchar_t text[256] = {};
    Send(Control(id), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

bool Tessaly::BecomesVisible() const
{
    return m_window && PumpUntil([&] { return IsWindowVisible(m_window) != FALSE; }, kDeadline);
}

bool Tessaly::BecomesHidden() const
{
    return m_window && PumpUntil([&] { return !IsWindowVisible(m_window); }, kDeadline);
}

void Tessaly::Type(int id, const wchar_t* text) const
{
    Send(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

bool Tessaly::Ends() const
{
    return m_program->WaitForExit(kDeadline);
}

} // namespace e2e
