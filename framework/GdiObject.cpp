#include "framework/GdiObject.h"

#include <atomic>

namespace {

// Pictures are read and converted on worker threads too: the counts are
// kept by atomic steps.
struct AtomicOwnerCount {
    std::atomic<long> created{0};
    std::atomic<long> deleted{0};
    std::atomic<long> detached{0};
};

AtomicOwnerCount& Counters()
{
    static AtomicOwnerCount counters;
    return counters;
}

} // namespace

GdiOwnerCount GdiOwnerCounters()
{
    const AtomicOwnerCount& counters = Counters();
    return {counters.created.load(), counters.deleted.load(), counters.detached.load()};
}

CGdiObject::CGdiObject(HGDIOBJ handle) : handle_(handle)
{
    if (handle_)
        ++Counters().created;
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept
{
    if (this != &other) {
        DeleteObject();
        handle_ = other.Release();
    }
    return *this;
}

void CGdiObject::Attach(HGDIOBJ handle)
{
    DeleteObject();
    handle_ = handle;
    if (handle_)
        ++Counters().created;
}

HGDIOBJ CGdiObject::Detach()
{
    if (handle_)
        ++Counters().detached;
    return Release();
}

HGDIOBJ CGdiObject::Release()
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
    ++Counters().deleted;
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

PaintDc::~PaintDc()
{
    EndPaint(window_, &paint_);
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
