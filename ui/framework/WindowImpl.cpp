#include "WindowImpl.h"

#include "WindowModule.h"

CWindowImplBase::~CWindowImplBase()
{
    // A window that outlives its object would call into freed memory.
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

WNDPROC CWindowImplBase::GetWindowProc() { return &CWindowImplBase::WindowProc; }

void CWindowImplBase::OnFinalMessage(HWND) {}

HWND CWindowImplBase::Create(HWND parent, int x, int y, int width, int height, const wchar_t* title, DWORD style,
                             DWORD exStyle)
{
    const ATOM atom = g_windowModule.RegisterWindowClass(GetWindowProc());
    if (atom == 0) return nullptr;

    g_windowModule.AddCreateWndData(this);
    const HWND created = ::CreateWindowExW(exStyle, MAKEINTATOM(atom), title, style, x, y, width, height, parent,
                                           nullptr, g_windowModule.GetModuleInstance(), nullptr);
    if (!created) {
        // A creation that failed before the window's first message leaves the entry behind.
        g_windowModule.ExtractCreateWndData();
        m_hWnd = nullptr;
    }
    return created;
}

LRESULT CWindowImplBase::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcW(m_pfnSuperWindowProc, m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWindowImplBase::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* window = reinterpret_cast<CWindowImplBase*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (!window) {
        window = g_windowModule.ExtractCreateWndData();
        if (!window) return ::DefWindowProcW(hWnd, message, wParam, lParam);
        window->m_hWnd = hWnd;
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }

    LRESULT result = 0;
    if (!window->ProcessWindowMessage(hWnd, message, wParam, lParam, result)) {
        result = ::CallWindowProcW(window->m_pfnSuperWindowProc, hWnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        window->m_hWnd = nullptr;
        window->OnFinalMessage(hWnd);
    }
    return result;
}
