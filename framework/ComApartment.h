#pragma once
// The shell's folder windows and browsers are COM objects and want an
// apartment on the calling thread for as long as they are used; one that is
// already there is used as it is.

#include <objbase.h>

class CComApartment {
  public:
    CComApartment() : m_initialised(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~CComApartment()
    {
        if (m_initialised)
            CoUninitialize();
    }
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;

  private:
    const bool m_initialised;
};
