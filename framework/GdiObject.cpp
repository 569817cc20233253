#include "framework/GdiObject.h"

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept
{
    if (this != &other)
        Attach(other.Detach());
    return *this;
}

void CGdiObject::Attach(HGDIOBJ handle)
{
    DeleteObject();
    handle_ = handle;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ handle = handle_;
    handle_ = nullptr;
    return handle;
}

bool CGdiObject::DeleteObject()
{
    if (!handle_)
        return false;
    const bool deleted = ::DeleteObject(handle_) != FALSE;
    handle_ = nullptr;
    return deleted;
}

int CPalette::GetEntryCount() const
{
    WORD count = 0;
    if (!GetSafeHandle() || GetObject(GetSafeHandle(), sizeof count, &count) == 0)
        return 0;
    return count;
}

OwnedDc::~OwnedDc()
{
    if (dc_)
        DeleteDC(dc_);
}

WindowDc::~WindowDc()
{
    if (dc_)
        ReleaseDC(window_, dc_);
}

ScopedSelectObject::~ScopedSelectObject()
{
    if (dc_ && previous_)
        SelectObject(dc_, previous_);
}

ScopedSelectPalette::~ScopedSelectPalette()
{
    if (dc_ && previous_)
        SelectPalette(dc_, previous_, background_);
}
