// The program's entry: GDI+ around the one main window and its message loop.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "ApkInstallerWnd.h"
#include "GdiPlusFlat.h"
#include "WindowModule.h"

namespace {

// The package named on the command line: exactly one argument, taken as it is.
std::wstring CommandLinePackage()
{
    if (__argc == 2 && __wargv && __wargv[1]) return __wargv[1];
    return std::wstring();
}

int RunMessageLoop()
{
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    g_windowModule.Init(instance);

    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    {
        CApkInstallerWnd window(CommandLinePackage());
        // Without a window nothing could ever end the message loop.
        if (window.CreateMainWindow()) RunMessageLoop();
    }
    Gdiplus::GdiplusShutdown(token);
    g_windowModule.Term();
    return 0;
}
