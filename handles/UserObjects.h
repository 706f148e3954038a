// Move-only owners of window-system objects that are not GDI objects, one type per kind:
// icons, image lists, and the device context of one paint.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

// An icon made by LoadImage (without LR_SHARED), CreateIcon or the like: DestroyIcon.
class CScopedIcon {
public:
    CScopedIcon() = default;
    explicit CScopedIcon(HICON icon) : m_h(icon) {}
    ~CScopedIcon() { Reset(); }
    CScopedIcon(const CScopedIcon&) = delete;
    CScopedIcon& operator=(const CScopedIcon&) = delete;
    CScopedIcon(CScopedIcon&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CScopedIcon& operator=(CScopedIcon&& other) noexcept
    {
        if (this != &other) Reset(std::exchange(other.m_h, nullptr));
        return *this;
    }

    HICON Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

    void Reset(HICON icon = nullptr)
    {
        if (m_h && m_h != icon) ::DestroyIcon(m_h);
        m_h = icon;
    }

private:
    HICON m_h = nullptr;
};

// An image list from ImageList_Create: ImageList_Destroy. A list view given the list
// without LVS_SHAREIMAGELISTS destroys it itself, so the owner must outlive that control
// or the control must share it.
class CScopedImageList {
public:
    CScopedImageList() = default;
    explicit CScopedImageList(HIMAGELIST list) : m_h(list) {}
    ~CScopedImageList() { Reset(); }
    CScopedImageList(const CScopedImageList&) = delete;
    CScopedImageList& operator=(const CScopedImageList&) = delete;
    CScopedImageList(CScopedImageList&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
    CScopedImageList& operator=(CScopedImageList&& other) noexcept
    {
        if (this != &other) Reset(std::exchange(other.m_h, nullptr));
        return *this;
    }

    HIMAGELIST Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

    void Reset(HIMAGELIST list = nullptr)
    {
        if (m_h && m_h != list) ::ImageList_Destroy(m_h);
        m_h = list;
    }

private:
    HIMAGELIST m_h = nullptr;
};

// BeginPaint and EndPaint around one WM_PAINT.
class CPaintDC {
public:
    explicit CPaintDC(HWND window) : m_hWnd(window) { m_h = ::BeginPaint(window, &m_paint); }
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC Get() const { return m_h; }
    const PAINTSTRUCT& Paint() const { return m_paint; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint{};
    HDC m_h = nullptr;
};
