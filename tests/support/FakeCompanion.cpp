#include "FakeCompanion.h"

#include "CompanionCommand.h"
#include "CompanionManager.h"
#include "TestWindow.h"

namespace {

const wchar_t kWindowClass[] = L"ApkiFakeCompanion";

}  // namespace

CFakeCompanion::CFakeCompanion(Window window, int reply, bool holdsMutex) : m_reply(reply)
{
    if (holdsMutex) m_mutex.Reset(::CreateMutexW(nullptr, FALSE, kCompanionSharedName));
    if (window == Window::None) return;
    m_windowReady.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_release.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_thread = std::thread([this, window] { RunWindow(window); });
    ::WaitForSingleObject(m_windowReady.Get(), 10000);
}

CFakeCompanion::~CFakeCompanion()
{
    if (!m_thread.joinable()) return;
    ::SetEvent(m_release.Get());
    if (m_window) ::PostMessageW(m_window, WM_CLOSE, 0, 0);
    m_thread.join();
}

LRESULT CALLBACK CFakeCompanion::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CFakeCompanion*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_COMPANION_QUERY) {
        ++self->m_queries;
        return self->m_reply;
    }
    if (message == WM_DESTROY) {
        ::RemovePropW(window, kCompanionSharedName);
        ::PostQuitMessage(0);
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void CFakeCompanion::RunWindow(Window window)
{
    m_window = CreateTestWindow(kWindowClass, WindowProc, nullptr);
    ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetPropW(m_window, kCompanionSharedName, reinterpret_cast<HANDLE>(1));
    ::SetEvent(m_windowReady.Get());

    // A hung manager: nothing sent to its window is taken until the test lets go.
    if (window == Window::Hangs) ::WaitForSingleObject(m_release.Get(), INFINITE);

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}
