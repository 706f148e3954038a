// A message-only window that stands in for the installer's window: it keeps every
// message that an install job posts to it.
#pragma once

#include <windows.h>

#include <vector>

struct InstallMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class CInstallMessageSink {
public:
    CInstallMessageSink();
    ~CInstallMessageSink();
    CInstallMessageSink(const CInstallMessageSink&) = delete;
    CInstallMessageSink& operator=(const CInstallMessageSink&) = delete;

    HWND Window() const { return m_hWnd; }

    // Handles this thread's messages until the next install message arrives, at most
    // timeoutMs. False when none came.
    bool WaitForMessage(InstallMessage& message, DWORD timeoutMs = 60000);

    // Handles this thread's messages for that long; the install messages that arrived.
    std::vector<InstallMessage> Collect(DWORD forMs);

    // Every other message sent to the window, e.g. from another thread, in order.
    const std::vector<UINT>& OtherMessages() const { return m_other; }

    void Destroy();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void PumpUntil(ULONGLONG deadline, std::size_t wanted);

    HWND m_hWnd = nullptr;
    std::vector<InstallMessage> m_received;
    std::size_t m_taken = 0;
    std::vector<UINT> m_other;
};
