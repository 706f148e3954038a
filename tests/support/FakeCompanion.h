// The companion application manager as the installer finds it, made inside a test: the
// manager's mutex, and a hidden top-level window on a thread of its own that carries the
// shared window property and answers the installer's query.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

#include "ScopedHandle.h"

class CFakeCompanion {
public:
    enum class Window {
        None,     // the mutex only
        Answers,  // the window answers every query with the reply
        Hangs,    // the window's thread takes no message until the companion ends
    };

    // holdsMutex false: a window with the property, but no manager's mutex.
    explicit CFakeCompanion(Window window, int reply = 0, bool holdsMutex = true);
    ~CFakeCompanion();
    CFakeCompanion(const CFakeCompanion&) = delete;
    CFakeCompanion& operator=(const CFakeCompanion&) = delete;

    int QueriesAnswered() const { return m_queries.load(); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void RunWindow(Window window);

    CScopedKernelHandle m_mutex;
    CScopedKernelHandle m_windowReady;
    CScopedKernelHandle m_release;
    HWND m_window = nullptr;
    int m_reply = 0;
    std::atomic<int> m_queries{0};
    std::thread m_thread;
};
