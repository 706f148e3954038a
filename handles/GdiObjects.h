// Move-only owners of GDI objects and device contexts, one type per kind.
#pragma once

#include <windows.h>

#include <utility>

// Objects released with DeleteObject: regions, bitmaps, brushes, fonts.
template <typename Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : m_h(handle) {}
    ~CGdiObject() { Reset(); }

    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_h(other.Release()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept
    {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Handle Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    Handle Release() { return std::exchange(m_h, nullptr); }

    void Reset(Handle handle = nullptr)
    {
        if (m_h && m_h != handle) ::DeleteObject(m_h);
        m_h = handle;
    }

private:
    Handle m_h = nullptr;
};

using CScopedRegion = CGdiObject<HRGN>;
using CScopedBitmap = CGdiObject<HBITMAP>;
using CScopedBrush = CGdiObject<HBRUSH>;
using CScopedFont = CGdiObject<HFONT>;

// A memory device context from CreateCompatibleDC, released with DeleteDC.
class CMemoryDC {
public:
    CMemoryDC() = default;
    explicit CMemoryDC(HDC reference) : m_h(::CreateCompatibleDC(reference)) {}
    ~CMemoryDC() { Reset(); }

    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    CMemoryDC(CMemoryDC&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CMemoryDC& operator=(CMemoryDC&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_h = std::exchange(other.m_h, nullptr);
        }
        return *this;
    }

    HDC Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

    void Reset()
    {
        if (m_h) ::DeleteDC(m_h);
        m_h = nullptr;
    }

private:
    HDC m_h = nullptr;
};

// A window's device context from GetDC (the screen's for a null window), given back
// with ReleaseDC. Held for one scope.
class CWindowDC {
public:
    explicit CWindowDC(HWND window) : m_hWnd(window), m_h(::GetDC(window)) {}
    ~CWindowDC()
    {
        if (m_h) ::ReleaseDC(m_hWnd, m_h);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    HDC Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

private:
    HWND m_hWnd;
    HDC m_h;
};

// Selects an object into a device context for one scope and puts the previous one back.
class CSelection {
public:
    CSelection(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hOld(::SelectObject(dc, object)) {}
    ~CSelection()
    {
        if (m_hOld && m_hOld != HGDI_ERROR) ::SelectObject(m_hDC, m_hOld);
    }
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

    bool Selected() const { return m_hOld && m_hOld != HGDI_ERROR; }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};
