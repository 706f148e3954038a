// GDI+ started for one scope. Startups are counted, so a library may start GDI+ for its
// own work inside a program that has started it already.
#pragma once

#include "GdiPlusFlat.h"

class CGdiPlusSession {
public:
    CGdiPlusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        m_bStarted = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~CGdiPlusSession()
    {
        if (m_bStarted) Gdiplus::GdiplusShutdown(m_token);
    }
    CGdiPlusSession(const CGdiPlusSession&) = delete;
    CGdiPlusSession& operator=(const CGdiPlusSession&) = delete;

    explicit operator bool() const { return m_bStarted; }

private:
    ULONG_PTR m_token = 0;
    bool m_bStarted = false;
};
