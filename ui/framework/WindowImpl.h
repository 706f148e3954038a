// The base of a window object: one window handle, a message map that the derived class
// writes in ProcessWindowMessage, and the procedure that unhandled messages go to.
//
// The framework's class procedure finds the object through the window's user data: the
// first message of a new window attaches the object registered for its creating thread
// (CWindowModule), every later one reads it back. After WM_NCDESTROY the object is
// detached and told by OnFinalMessage.
#pragma once

#include <windows.h>

class CWindowImplBase {
public:
    CWindowImplBase() = default;
    CWindowImplBase(const CWindowImplBase&) = delete;
    CWindowImplBase& operator=(const CWindowImplBase&) = delete;

    // The message map: true when the message was handled, with its result in result.
    virtual BOOL ProcessWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    virtual ~CWindowImplBase();
    virtual WNDPROC GetWindowProc();
    // After the window's last message; the handle is already cleared.
    virtual void OnFinalMessage(HWND hWnd);

    // Registers the framework's window class if needed and creates the window with this
    // object attached. Null when the window could not be made.
    HWND Create(HWND parent, int x, int y, int width, int height, const wchar_t* title, DWORD style,
                DWORD exStyle = 0);

    // Passes a message on to m_pfnSuperWindowProc.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    WNDPROC m_pfnSuperWindowProc = ::DefWindowProcW;

protected:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
