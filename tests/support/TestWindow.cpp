#include "TestWindow.h"

HWND CreateTestWindow(const wchar_t* className, WNDPROC procedure, HWND parent)
{
    WNDCLASSEXW cls{sizeof(cls)};
    cls.lpfnWndProc = procedure;
    cls.hInstance = ::GetModuleHandleW(nullptr);
    cls.lpszClassName = className;
    ::RegisterClassExW(&cls);  // fails harmlessly once the class exists
    return ::CreateWindowExW(0, className, L"", parent ? 0 : WS_POPUP, 0, 0, 0, 0, parent, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}
