#include "framework/DataExchange.h"

#include "framework/App.h"
#include "framework/Dialog.h"
#include "framework/NumberText.h"
#include "framework/ResourceString.h"

#include <cfloat>
#include <cstdio>

namespace {

// The exchange reads at most this many characters of an edit, like the
// fixed buffer of the classic framework.
constexpr int kNumberTextLimit = 32;

std::string WindowText(HWND control, int limit)
{
    std::string text(limit, '\0');
    const int length = GetWindowTextA(control, text.data(), limit);
    text.resize(length > 0 ? length : 0);
    return text;
}

bool IsRadioButton(HWND control)
{
    if (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        return true;
    const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

} // namespace

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND control = m_pDlgWnd->GetDlgItem(id);
    m_lastControl = control;
    return control;
}

void CDataExchange::Fail()
{
    m_failed = true;
    if (!m_lastControl)
        return;
    SetFocus(m_lastControl);
    char className[16] = {};
    GetClassNameA(m_lastControl, className, sizeof className);
    if (lstrcmpiA(className, "Edit") == 0)
        SendMessageA(m_lastControl, EM_SETSEL, 0, -1);
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    if (dx->Failed())
        return;
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
        return;
    }
    SendMessageA(control, BM_SETCHECK, value, 0);
}

void DDX_Radio(CDataExchange* dx, int id, int& value)
{
    if (dx->Failed())
        return;
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    do {
        if (IsRadioButton(control)) {
            if (dx->m_bSaveAndValidate) {
                if (SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            } else {
                SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        control = GetWindow(control, GW_HWNDNEXT);
    } while (control && !(GetWindowLongA(control, GWL_STYLE) & WS_GROUP));
}

std::string FormatDouble(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", DBL_DIG, value);
    return text;
}

bool ParseDouble(const std::string& text, double& value)
{
    double parsed = 0;
    const char* end = ScanDecimalNumber(text.c_str(), parsed);
    if (end == text.c_str())
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return false;
    value = parsed;
    return true;
}

void DDX_Text(CDataExchange* dx, int id, double& value)
{
    if (dx->Failed())
        return;
    HWND control = dx->PrepareCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextA(control, FormatDouble(value).c_str());
        return;
    }
    if (!ParseDouble(WindowText(control, kNumberTextLimit), value)) {
        AfxMessageBox(kParseRealMessageId, MB_ICONEXCLAMATION);
        dx->Fail();
    }
}

void DDX_Text(CDataExchange* dx, int id, std::string& value)
{
    if (dx->Failed())
        return;
    HWND control = dx->PrepareCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextA(control, value.c_str());
        return;
    }
    const int length = GetWindowTextLengthA(control);
    value = WindowText(control, length + 1);
}

void DDV_MinMaxDouble(CDataExchange* dx, double value, double minimum, double maximum)
{
    if (dx->Failed() || !dx->m_bSaveAndValidate)
        return;
    if (value >= minimum && value <= maximum)
        return;
    AfxMessageBox(FormatResourceString(kParseRealRangeMessageId, FormatDouble(minimum), FormatDouble(maximum)),
                  MB_ICONEXCLAMATION);
    dx->Fail();
}
