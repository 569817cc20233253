#pragma once
// Owner of one COM interface pointer: released once, never copied.

#include <unknwn.h>

template <typename Interface> class ComRef {
  public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(ComRef&& other) noexcept : m_pointer(other.m_pointer) { other.m_pointer = nullptr; }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface* operator->() const { return m_pointer; }
    Interface* Get() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }
    // For the calls that hand out a new reference: what was held goes first.
    Interface** Out()
    {
        Reset();
        return &m_pointer;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    void Reset()
    {
        if (m_pointer)
            m_pointer->Release();
        m_pointer = nullptr;
    }

  private:
    Interface* m_pointer = nullptr;
};
