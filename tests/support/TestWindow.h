// Windows that tests make to receive messages.
#pragma once

#include <windows.h>

// Creates a window of the class (registered on first use, with this procedure): a
// message-only window when parent is HWND_MESSAGE, a hidden top-level one when it is null.
HWND CreateTestWindow(const wchar_t* className, WNDPROC procedure, HWND parent);
