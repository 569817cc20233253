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

// Owns one GDI object and deletes it when destroyed.
class CGdiObject : public CObject {
  public:
    CGdiObject() = default;
    explicit CGdiObject(HGDIOBJ handle) : handle_(handle) {}
    ~CGdiObject() override;
    CGdiObject(CGdiObject&& other) noexcept : handle_(other.Detach()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return handle_; }
    // Takes ownership of handle, deleting any object held before.
    void Attach(HGDIOBJ handle);
    HGDIOBJ Detach();
    bool DeleteObject();

  private:
    HGDIOBJ handle_ = nullptr;
};

class CPalette : public CGdiObject {
  public:
    CPalette() = default;
    explicit CPalette(HPALETTE palette) : CGdiObject(palette) {}

    HPALETTE GetHandle() const { return static_cast<HPALETTE>(GetSafeHandle()); }
    // Number of entries of the logical palette; 0 without one.
    int GetEntryCount() const;
};

class CBitmap : public CGdiObject {
  public:
    CBitmap() = default;
    explicit CBitmap(HBITMAP bitmap) : CGdiObject(bitmap) {}

    HBITMAP GetHandle() const { return static_cast<HBITMAP>(GetSafeHandle()); }
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

// Selects an object into a device context and selects the previous one back
// when it goes out of scope.
class ScopedSelectObject {
  public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelectObject();
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

  private:
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
