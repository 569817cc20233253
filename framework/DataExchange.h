#pragma once
// Data exchange and validation between a dialog's controls and its
// members. On a failure the user sees the framework's message, the focus
// goes to the offending control, and every later call of the same
// exchange does nothing: the exchange stops where it failed.

#include <windows.h>

#include <string>

class CDialog;

// Framework strings of the resource module used by the validation.
constexpr UINT kParseRealMessageId = 61713;      // not a number
constexpr UINT kParseRealRangeMessageId = 61715; // out of range, %1 and %2 the bounds

class CDataExchange {
  public:
    CDataExchange(CDialog* dialog, bool saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    // The control with this id, remembered as the one to focus on failure.
    HWND PrepareCtrl(int id);
    // Shows nothing itself: focuses the last prepared control and marks
    // the exchange failed.
    void Fail();
    bool Failed() const { return m_failed; }

    CDialog* const m_pDlgWnd;
    const bool m_bSaveAndValidate;

  private:
    HWND m_lastControl = nullptr;
    bool m_failed = false;
};

void DDX_Check(CDataExchange* dx, int id, int& value);
// A radio group: the button with this id and the radio buttons after it up
// to the next control that starts a group. The value is the index of the
// checked button, -1 when none is checked.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Text(CDataExchange* dx, int id, std::string& value);
void DDV_MinMaxDouble(CDataExchange* dx, double value, double minimum, double maximum);

// The text of a double as the exchange writes it: 15 significant digits.
std::string FormatDouble(double value);
// Parses the way the exchange reads an edit: blanks around one number and
// nothing else. Returns false for anything else.
bool ParseDouble(const std::string& text, double& value);
