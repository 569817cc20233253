#include "ui/dialogs/PreviewReason.h"

#include "framework/GdiObject.h"
#include "framework/ResourceString.h"
#include "image/DibSize.h"
#include "resources/resource.h"
#include "ui/controls/DialogColours.h"

#include <algorithm>

std::string PreviewFailureReason(int fileWidth, int fileHeight)
{
    if (fileWidth <= 0 || fileHeight <= 0 || PictureSizeAllowed(fileWidth, fileHeight))
        return LoadResourceString(IDS_PREVIEW_UNREADABLE);
    return FormatResourceString(IDS_PREVIEW_TOO_LARGE, std::to_string(fileWidth), std::to_string(fileHeight));
}

void DrawPreviewReason(HDC dc, const RECT& area, HFONT font, const std::string& reason)
{
    const bool highContrast = HighContrastOn();
    CBrush panel;
    if (!highContrast)
        panel.CreateSolidBrush(kDialogBackColour);
    FillRect(dc, &area, panel.GetSafeHandle() ? panel.GetHandle() : GetSysColorBrush(COLOR_BTNFACE));
    const ScopedSelectObject selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, highContrast ? GetSysColor(COLOR_BTNTEXT) : kDialogTextColour);
    // Centred both ways: measured first, as a wrapped text cannot be centred down.
    RECT text = area;
    InflateRect(&text, -6, -6);
    const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    RECT measured = text;
    DrawTextA(dc, reason.c_str(), static_cast<int>(reason.size()), &measured, format | DT_CALCRECT);
    const LONG height = measured.bottom - measured.top;
    text.top += std::max<LONG>(0, (text.bottom - text.top - height) / 2);
    DrawTextA(dc, reason.c_str(), static_cast<int>(reason.size()), &text, format);
}
