// A stand-in for the companion manager's Helmsway.exe in the Windows tests: it appends the
// command line it was started with, as UTF-8, to "helmsway.record" in the directory named
// by FAKEHELMSWAY_DIR (else beside this program), and ends.
#include <windows.h>

#include "StandinRecord.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    AppendUtf8Line(StandinDir(L"FAKEHELMSWAY_DIR") + L"helmsway.record", ::GetCommandLineW());
    return 0;
}
