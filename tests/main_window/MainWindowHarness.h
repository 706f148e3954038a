// The real main window, created inside a test program as the program creates it, and
// driven by what a user's actions produce: pointer moves and clicks through the system's
// own input (so the window receives the very messages a mouse gives), file drops, timers
// and the install worker's messages. The test judges what the window paints, its size,
// region and place, the settings file and the emulated phone's record; never the window
// object's fields.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ApkInstallerWnd.h"
#include "BoxRect.h"
#include "FakeAdbScenario.h"
#include "PixelCanvas.h"
#include "TempDirectory.h"

class CMainWindowHarness {
public:
    // The window as the program creates it, with this command-line package (none when
    // empty) and the settings file in a private folder, holding settingsText if given.
    explicit CMainWindowHarness(const std::wstring& startPackage = std::wstring(),
                                const std::string& settingsText = std::string());
    ~CMainWindowHarness();
    CMainWindowHarness(const CMainWindowHarness&) = delete;
    CMainWindowHarness& operator=(const CMainWindowHarness&) = delete;

    HWND Window() const { return m_hWnd; }
    bool IsOpen() const { return ::IsWindow(m_hWnd) != FALSE; }
    // The window posted WM_QUIT, with this exit code.
    bool QuitPosted() const { return m_bQuit; }
    int QuitCode() const { return m_nQuitCode; }

    CFakeAdbScenario& Phone() { return m_phone; }
    const std::wstring& SettingsFile() const { return m_strSettingsFile; }
    std::string SettingsText() const;

    // Dispatches messages for a while, or until the predicate holds (true if it did).
    void Pump(DWORD milliseconds);
    bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

    // The pointer to a client point, as a mouse would move it, and the left button.
    void MoveTo(int x, int y);
    void Press();
    void Release();
    void ClickAt(int x, int y);
    void DoubleClickAt(int x, int y);

    // Drops files onto the window as the shell does (a DROPFILES block in WM_DROPFILES).
    void Drop(const std::vector<std::wstring>& files);

    // The fewest kernel handles and GDI objects the process held over a while, the window
    // pumping meanwhile: the phone watcher's look under way holds a few handles for a moment.
    struct ResourceCount QuietResources(DWORD milliseconds = 2600);

    // What the window shows now, client area only, after every pending paint.
    std::unique_ptr<CPixelCanvas> Capture();
    RECT WindowRect() const;
    SIZE ClientSize() const;

private:
    void SendButton(DWORD flags);

    CTempDirectory m_settingsDir{L"settings"};
    std::wstring m_strSettingsFile;
    CFakeAdbScenario m_phone;
    std::unique_ptr<CApkInstallerWnd> m_pWindow;
    HWND m_hWnd = nullptr;
    bool m_bQuit = false;
    int m_nQuitCode = -1;
};

// Screen-independent colours from the window's painting tables.
inline constexpr COLORREF kBackground = RGB(0xEE, 0xF4, 0xF6);
inline constexpr COLORREF kStatusGrey = RGB(0x3E, 0x55, 0x5B);
inline constexpr COLORREF kStatusGreen = RGB(0x5B, 0xAE, 0x2F);
inline constexpr COLORREF kStatusRed = RGB(0xC9, 0x4C, 0x42);
inline constexpr COLORREF kNoteGrey = RGB(0xB8, 0xB8, 0xB8);

// Pixels of the region whose colour is within tolerance of the colour.
int CountColour(const CPixelCanvas& canvas, const BoxRect& region, COLORREF colour, int tolerance = 0);
// Pixels of the region that differ from the other canvas at the same place.
int CountDifferent(const CPixelCanvas& a, const CPixelCanvas& b, const BoxRect& region);
