#include "WindowDpi.h"

#include "GdiObjects.h"

int DpiOfWindow(HWND window)
{
    // Windows 10 1607 and later; looked up so that the program still starts on Windows 7.
    using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
    const FARPROC proc = ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (proc && window) {
        const UINT dpi = reinterpret_cast<GetDpiForWindowProc>(reinterpret_cast<void*>(proc))(window);
        if (dpi != 0) return int(dpi);
    }
    CWindowDC screen(nullptr);
    return screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
}
