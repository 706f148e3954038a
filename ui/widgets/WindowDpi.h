// The dots per inch a window is drawn at: its monitor's where the system tells each
// monitor's, else the system's.
#pragma once

#include <windows.h>

int DpiOfWindow(HWND window);
