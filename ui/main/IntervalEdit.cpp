#include "ui/main/IntervalEdit.h"

#include "engine/ChangeInterval.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "resources/resource.h"

namespace {

// Posted when the edit has lost the focus.
constexpr UINT kIntervalEditLeftMessage = WM_APP + 1;

} // namespace

std::optional<double> CIntervalEdit::EditedInterval() const
{
    char text[32] = {}; // as much as the exchange reads
    GetDlgItemTextA(m_dialog.m_hWnd, IDC_INTERVAL_EDIT, text, sizeof text);
    double interval = 0;
    if (ParseDouble(text, interval) && IsValidInterval(interval))
        return interval;
    return std::nullopt;
}

void CIntervalEdit::Exchange(CDataExchange* dx)
{
    // The schedule and the settings key go on with the last valid interval.
    if (dx->m_bSaveAndValidate && !m_reportBadInterval) {
        if (const std::optional<double> interval = EditedInterval())
            m_settings.ChangeTime = *interval;
        return;
    }
    double interval = m_settings.ChangeTime;
    DDX_Text(dx, IDC_INTERVAL_EDIT, interval);
    DDV_MinMaxDouble(dx, interval, kMinimumInterval, kMaximumInterval);
    if (!dx->Failed())
        m_settings.ChangeTime = interval;
}

bool CIntervalEdit::ReadControlsReportingBadInterval()
{
    // The message box takes the focus from the edit: that is no leaving.
    m_badIntervalReported = true;
    m_reportBadInterval = true;
    const BOOL valid = m_dialog.UpdateData(TRUE);
    m_reportBadInterval = false;
    return valid != FALSE;
}

void CIntervalEdit::ReportBadIntervalOnce()
{
    if (m_badIntervalReported || EditedInterval())
        return;
    ReadControlsReportingBadInterval();
}

bool CIntervalEdit::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT&)
{
    if (msg == kIntervalEditLeftMessage) {
        OnLeft();
        return true;
    }
    // Notifications sent while the window fills its own controls are not
    // the user's doing.
    if (msg != WM_COMMAND || LOWORD(wp) != IDC_INTERVAL_EDIT || lp == 0)
        return false;
    if (!m_dialog.NotificationsLocked()) {
        if (HIWORD(wp) == EN_CHANGE)
            OnChanged();
        // The focus is still moving: look where it went once it is there.
        if (HIWORD(wp) == EN_KILLFOCUS)
            PostMessageA(m_dialog.m_hWnd, kIntervalEditLeftMessage, 0, 0);
    }
    return true;
}

void CIntervalEdit::OnChanged()
{
    // "0." on the way to "0.5", or "" on the way from "30" to "100", is no
    // mistake yet: until the user is done with the edit such a text is
    // neither used nor reported, and the timer keeps its period.
    m_badIntervalReported = false;
    if (EditedInterval())
        m_edited();
}

void CIntervalEdit::OnLeft()
{
    // Only when the focus went to another control of this window: switching
    // to another program is no reason for a message box.
    const HWND focus = ::GetFocus();
    const HWND edit = GetDlgItem(m_dialog.m_hWnd, IDC_INTERVAL_EDIT);
    if (focus && focus != edit && ::IsChild(m_dialog.m_hWnd, focus))
        ReportBadIntervalOnce();
}
