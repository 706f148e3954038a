// COM on the calling thread for one scope: a single-threaded apartment, or whatever the
// thread has already joined, which then stays as it was.
#pragma once

#include <objbase.h>

class CComApartment {
public:
    CComApartment() : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~CComApartment()
    {
        if (SUCCEEDED(m_hr)) ::CoUninitialize();
    }
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;

    // True when COM can be used: started here, or running on the thread already.
    bool Usable() const { return SUCCEEDED(m_hr) || m_hr == RPC_E_CHANGED_MODE; }

private:
    HRESULT m_hr;
};
