// Times ApkInstaller.exe from its process start to its first complete paint, as a user
// sees it: the screen is read every millisecond until the package's name is on it.
//     startup_timer <ApkInstaller.exe> <package> [runs]
// Prints each run and the median in milliseconds. The window is drawn off screen in one
// piece and copied at once, so the first ink of the name's row means the whole paint.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Found {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM parameter)
{
    auto* found = reinterpret_cast<Found*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == found->processId && ::IsWindowVisible(window)) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

// Dark pixels in the row where the package's name is drawn (client 88,35 120 x 20).
int InkInNameRow(HWND window)
{
    RECT rect{};
    if (!::GetWindowRect(window, &rect)) return 0;
    HDC screen = ::GetDC(nullptr);
    int ink = 0;
    for (int y = 40; y < 52; y += 2) {
        for (int x = 90; x < 150; ++x) {
            const COLORREF c = ::GetPixel(screen, rect.left + x, rect.top + y);
            ink += c != CLR_INVALID && GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60;
        }
    }
    ::ReleaseDC(nullptr, screen);
    return ink;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// One run: the time to the first complete paint, or a negative value on failure; shown
// receives the time at which the window was first seen on the screen.
double TimeOneStart(const std::wstring& program, const std::wstring& package, double& shown)
{
    std::wstring commandLine = L"\"" + program + L"\" \"" + package + L"\"";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    double elapsed = -1;
    Found found{process.dwProcessId, nullptr};
    for (;;) {
        ::QueryPerformanceCounter(&now);
        if (Milliseconds(start, now, frequency) > 10000) break;
        if (!found.window) {
            ::EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&found));
            if (found.window) shown = Milliseconds(start, now, frequency);
        }
        if (found.window && InkInNameRow(found.window) > 20) {
            ::QueryPerformanceCounter(&now);
            elapsed = Milliseconds(start, now, frequency);
            break;
        }
        ::Sleep(1);
    }
    if (found.window) ::PostMessageW(found.window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return elapsed;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: startup_timer <ApkInstaller.exe> <package> [runs]\n");
        return 64;
    }
    const int runs = argc > 3 ? _wtoi(argv[3]) : 10;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        double shown = -1;
        const double ms = TimeOneStart(argv[1], argv[2], shown);
        std::printf("run %d: %.1f ms (window on the screen at %.1f ms)\n", i + 1, ms, shown);
        if (ms < 0) return 1;
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("first complete paint: median %.1f ms, min %.1f ms, max %.1f ms over %d runs\n",
                times[times.size() / 2], times.front(), times.back(), runs);
    return 0;
}
