#include "MainWindowHarness.h"

#include "ResourceCount.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <cwchar>

#include "SettingsFile.h"

namespace {

// How long the system takes to turn an input event into the window's messages.
constexpr DWORD kInputSettleMs = 40;

}  // namespace

CMainWindowHarness::CMainWindowHarness(const std::wstring& startPackage, const std::string& settingsText)
{
    m_strSettingsFile = m_settingsDir.File(L"Setting.ini");
    WriteBytesToFile(m_strSettingsFile, settingsText);
    std::wcsncpy(g_szSettingsPath, m_strSettingsFile.c_str(), kSettingsPathCapacity - 1);

    m_pWindow = std::make_unique<CApkInstallerWnd>(startPackage);
    m_hWnd = m_pWindow->CreateMainWindow();
    EXPECT_NE(nullptr, m_hWnd);
    Pump(50);
    // The pointer starts on the window but over none of its zones: wherever the last test
    // left it, nothing shows a hover look.
    MoveTo(200, 60);
}

CMainWindowHarness::~CMainWindowHarness()
{
    if (IsOpen()) ::SendMessageW(m_hWnd, WM_CLOSE, 0, 0);
    m_pWindow.reset();
    // Leaves no quit message behind for the next test's window.
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    g_szSettingsPath[0] = L'\0';
}

std::string CMainWindowHarness::SettingsText() const { return ReadBytesFromFile(m_strSettingsFile); }

void CMainWindowHarness::Pump(DWORD milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

bool CMainWindowHarness::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                m_bQuit = true;
                m_nQuitCode = int(msg.wParam);
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done()) return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(end - now < 10 ? end - now : 10), QS_ALLINPUT);
    }
}

void CMainWindowHarness::MoveTo(int x, int y)
{
    POINT point{x, y};
    ::ClientToScreen(m_hWnd, &point);
    ::SetCursorPos(point.x, point.y);
    // A move of nothing: the pointer message for the place the cursor is at now.
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof(input));
    Pump(kInputSettleMs);
}

void CMainWindowHarness::SendButton(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
    Pump(kInputSettleMs);
}

void CMainWindowHarness::Press() { SendButton(MOUSEEVENTF_LEFTDOWN); }
void CMainWindowHarness::Release() { SendButton(MOUSEEVENTF_LEFTUP); }

void CMainWindowHarness::ClickAt(int x, int y)
{
    MoveTo(x, y);
    Press();
    Release();
    // Keeps the next click from reading as the second half of a double click.
    Pump(::GetDoubleClickTime() + 20);
}

void CMainWindowHarness::DoubleClickAt(int x, int y)
{
    MoveTo(x, y);
    Press();
    Release();
    Press();
    Release();
}

void CMainWindowHarness::Drop(const std::vector<std::wstring>& files)
{
    std::wstring list;
    for (const std::wstring& file : files) list += file + L'\0';
    list += L'\0';
    const SIZE_T bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    ASSERT_NE(nullptr, block);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<BYTE*>(drop) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    ::GlobalUnlock(block);
    // The window owns the block from here: its DragFinish frees it.
    ASSERT_TRUE(::PostMessageW(m_hWnd, WM_DROPFILES, WPARAM(block), 0));
    Pump(100);
}

std::unique_ptr<CPixelCanvas> CMainWindowHarness::Capture()
{
    Pump(20);
    ::UpdateWindow(m_hWnd);
    const SIZE size = ClientSize();
    auto canvas = std::make_unique<CPixelCanvas>(size.cx, size.cy, RGB(0xFF, 0x00, 0xFF));
    HDC window = ::GetDC(m_hWnd);
    ::BitBlt(canvas->DC(), 0, 0, size.cx, size.cy, window, 0, 0, SRCCOPY);
    ::ReleaseDC(m_hWnd, window);
    return canvas;
}

RECT CMainWindowHarness::WindowRect() const
{
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

SIZE CMainWindowHarness::ClientSize() const
{
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return SIZE{rect.right, rect.bottom};
}

int CountColour(const CPixelCanvas& canvas, const BoxRect& region, COLORREF colour, int tolerance)
{
    int count = 0;
    for (int y = region.y; y < region.y + region.height; ++y) {
        for (int x = region.x; x < region.x + region.width; ++x) count += NearColour(canvas.Pixel(x, y), colour, tolerance);
    }
    return count;
}

int CountDifferent(const CPixelCanvas& a, const CPixelCanvas& b, const BoxRect& region)
{
    int count = 0;
    for (int y = region.y; y < region.y + region.height; ++y) {
        for (int x = region.x; x < region.x + region.width; ++x) count += a.Pixel(x, y) != b.Pixel(x, y);
    }
    return count;
}

ResourceCount CMainWindowHarness::QuietResources(DWORD milliseconds)
{
    ResourceCount fewest = CountProcessResources();
    for (DWORD waited = 0; waited < milliseconds; waited += 200) {
        Pump(200);
        const ResourceCount now = CountProcessResources();
        if (now.kernelHandles < fewest.kernelHandles) fewest.kernelHandles = now.kernelHandles;
        if (now.gdiObjects < fewest.gdiObjects) fewest.gdiObjects = now.gdiObjects;
    }
    return fewest;
}
