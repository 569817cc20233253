#pragma once

// Thin owners of GDI handles. Every owner is move-only: a copy would delete
// its handle twice. Borrowed handles stay plain HDC/HPALETTE values.

#include <windows.h>

// Root of the program's object classes.
class CObject {
  public:
    virtual ~CObject() = default;
    // Objects of this program are never serialised; the hook does nothing.
    virtual void Serialize() {}

  protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

// What the owners have taken on and given back since the program started.
// Wine answers GetGuiResources with 0, so leak tests count here instead:
// after any amount of drawing, created == deleted + detached again.
struct GdiOwnerCount {
    long created = 0;  // handles an owner took on
    long deleted = 0;  // handles an owner deleted
    long detached = 0; // handles an owner handed to someone else (SetWindowRgn)
};
GdiOwnerCount GdiOwnerCounters();

// Owns one GDI object and deletes it when destroyed.
class CGdiObject : public CObject {
  public:
    CGdiObject() = default;
    explicit CGdiObject(HGDIOBJ handle);
    ~CGdiObject() override;
    CGdiObject(CGdiObject&& other) noexcept : handle_(other.Release()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return handle_; }
    // Takes ownership of handle, deleting any object held before.
    void Attach(HGDIOBJ handle);
    // Gives the handle to a new owner (for example the system, which owns
    // a region once SetWindowRgn took it).
    HGDIOBJ Detach();
    bool DeleteObject();

  private:
    HGDIOBJ Release();

    HGDIOBJ handle_ = nullptr;
};

// An owner that knows the type of its handle, so it can be passed where GDI
// wants an HPEN, HBRUSH ... and cannot be passed where it wants another.
template <typename Handle> class CTypedGdiObject : public CGdiObject {
  public:
    CTypedGdiObject() = default;
    explicit CTypedGdiObject(Handle handle) : CGdiObject(handle) {}

    Handle GetHandle() const { return static_cast<Handle>(GetSafeHandle()); }
    operator Handle() const { return GetHandle(); }

  protected:
    // Takes the result of a Create call; false when GDI made nothing.
    BOOL AttachCreated(Handle handle)
    {
        Attach(handle);
        return handle != nullptr;
    }
};

class CPen : public CTypedGdiObject<HPEN> {
  public:
    using CTypedGdiObject::CTypedGdiObject;
    BOOL CreatePen(int style, int width, COLORREF color) { return AttachCreated(::CreatePen(style, width, color)); }
};

class CBrush : public CTypedGdiObject<HBRUSH> {
  public:
    using CTypedGdiObject::CTypedGdiObject;
    BOOL CreateSolidBrush(COLORREF color) { return AttachCreated(::CreateSolidBrush(color)); }
};

class CFont : public CTypedGdiObject<HFONT> {
  public:
    using CTypedGdiObject::CTypedGdiObject;
    BOOL CreateFontIndirect(const LOGFONTA& font) { return AttachCreated(::CreateFontIndirectA(&font)); }
};

class CRgn : public CTypedGdiObject<HRGN> {
  public:
    using CTypedGdiObject::CTypedGdiObject;
    BOOL CreateRectRgn(int left, int top, int right, int bottom)
    {
        return AttachCreated(::CreateRectRgn(left, top, right, bottom));
    }
    // A region from RGNDATA (header and rectangles, `size` bytes in all).
    BOOL CreateFromData(const RGNDATA* data, DWORD size)
    {
        return AttachCreated(::ExtCreateRegion(nullptr, size, data));
    }
    // This region becomes `first` combined with `second`; it must exist.
    // Returns the region type, ERROR on failure.
    int CombineRgn(HRGN first, HRGN second, int mode) { return ::CombineRgn(GetHandle(), first, second, mode); }
    int OffsetRgn(int dx, int dy) { return ::OffsetRgn(GetHandle(), dx, dy); }
};

class CBitmap : public CTypedGdiObject<HBITMAP> {
  public:
    using CTypedGdiObject::CTypedGdiObject;
};

class CPalette : public CTypedGdiObject<HPALETTE> {
  public:
    using CTypedGdiObject::CTypedGdiObject;
    // Number of entries of the logical palette; 0 without one.
    int GetEntryCount() const;
};

// A device context the program created (CreateDC, CreateCompatibleDC);
// deleted with DeleteDC.
class OwnedDc {
  public:
    explicit OwnedDc(HDC dc) : dc_(dc) {}
    ~OwnedDc();
    OwnedDc(OwnedDc&& other) noexcept : dc_(other.dc_) { other.dc_ = nullptr; }
    OwnedDc& operator=(OwnedDc&&) = delete;
    OwnedDc(const OwnedDc&) = delete;
    OwnedDc& operator=(const OwnedDc&) = delete;

    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

// A window's (or, for no window, the screen's) device context from GetDC;
// given back with ReleaseDC.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc();
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// The painting context of WM_PAINT: BeginPaint on construction, EndPaint
// (which validates the update region) on destruction.
class PaintDc {
  public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc();
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC Get() const { return dc_; }
    const PAINTSTRUCT& ps() const { return paint_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

// Selects a pen, brush, font or bitmap into a device context and selects
// the previous one back when it goes out of scope. Regions are not taken:
// selecting one clips and returns a region type, not an object to restore.
class ScopedSelectObject {
  public:
    ScopedSelectObject(HDC dc, const CPen& pen) : ScopedSelectObject(dc, pen.GetSafeHandle()) {}
    ScopedSelectObject(HDC dc, const CBrush& brush) : ScopedSelectObject(dc, brush.GetSafeHandle()) {}
    ScopedSelectObject(HDC dc, const CFont& font) : ScopedSelectObject(dc, font.GetSafeHandle()) {}
    ScopedSelectObject(HDC dc, const CBitmap& bitmap) : ScopedSelectObject(dc, bitmap.GetSafeHandle()) {}
    // Borrowed objects: stock pens and brushes, a control's font.
    ScopedSelectObject(HDC dc, HPEN pen) : ScopedSelectObject(dc, static_cast<HGDIOBJ>(pen)) {}
    ScopedSelectObject(HDC dc, HBRUSH brush) : ScopedSelectObject(dc, static_cast<HGDIOBJ>(brush)) {}
    ScopedSelectObject(HDC dc, HFONT font) : ScopedSelectObject(dc, static_cast<HGDIOBJ>(font)) {}
    ScopedSelectObject(HDC dc, HBITMAP bitmap) : ScopedSelectObject(dc, static_cast<HGDIOBJ>(bitmap)) {}
    ScopedSelectObject(HDC, const CRgn&) = delete;
    ScopedSelectObject(HDC, HRGN) = delete;
    ~ScopedSelectObject();
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

  private:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}

    HDC dc_;
    HGDIOBJ previous_;
};

// The same for palettes, which GDI selects with SelectPalette. A null
// palette selects nothing.
class ScopedSelectPalette {
  public:
    ScopedSelectPalette(HDC dc, HPALETTE palette, bool background)
        : dc_(dc), background_(background), previous_(palette ? SelectPalette(dc, palette, background) : nullptr)
    {
    }
    ~ScopedSelectPalette();
    ScopedSelectPalette(const ScopedSelectPalette&) = delete;
    ScopedSelectPalette& operator=(const ScopedSelectPalette&) = delete;

  private:
    HDC dc_;
    bool background_;
    HPALETTE previous_;
};
