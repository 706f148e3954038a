#include "InstallMessageSink.h"

#include "InstallMessages.h"
#include "TestWindow.h"

namespace {

const wchar_t kWindowClass[] = L"ApkiInstallMessageSink";
constexpr UINT kFirstTestMessage = WM_APP + 100;

}  // namespace

CInstallMessageSink::CInstallMessageSink()
{
    m_hWnd = CreateTestWindow(kWindowClass, WindowProc, HWND_MESSAGE);
    ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CInstallMessageSink::~CInstallMessageSink() { Destroy(); }

void CInstallMessageSink::Destroy()
{
    if (m_hWnd) ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

LRESULT CALLBACK CInstallMessageSink::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CInstallMessageSink*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self) {
        if (message == WM_INSTALL_DONE || message == WM_INSTALL_NO_DEVICE || message == WM_INSTALL_HANDED_OVER) {
            self->m_received.push_back({message, wParam, lParam});
            return 0;
        }
        if (message >= kFirstTestMessage && message <= 0xBFFF) self->m_other.push_back(message);
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void CInstallMessageSink::PumpUntil(ULONGLONG deadline, std::size_t wanted)
{
    while (m_received.size() < wanted) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(deadline - now), QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

bool CInstallMessageSink::WaitForMessage(InstallMessage& message, DWORD timeoutMs)
{
    PumpUntil(::GetTickCount64() + timeoutMs, m_taken + 1);
    if (m_received.size() <= m_taken) return false;
    message = m_received[m_taken++];
    return true;
}

std::vector<InstallMessage> CInstallMessageSink::Collect(DWORD forMs)
{
    PumpUntil(::GetTickCount64() + forMs, SIZE_MAX);
    std::vector<InstallMessage> messages(m_received.begin() + std::ptrdiff_t(m_taken), m_received.end());
    m_taken = m_received.size();
    return messages;
}
