// The module state of the window framework: the module instance that owns the window
// classes and resources, and the registry of window objects under creation.
//
// CreateWindowExW sends several messages (WM_NCCREATE, WM_CREATE, ...) before it returns
// the handle, so the object cannot be attached to its window by the caller. The object is
// registered here for the creating thread; the first message its window receives on that
// thread takes it out of the registry and attaches it.
#pragma once

#include <windows.h>

#include <vector>

class CWindowImplBase;

class CWindowModule {
public:
    CWindowModule() = default;
    CWindowModule(const CWindowModule&) = delete;
    CWindowModule& operator=(const CWindowModule&) = delete;
    ~CWindowModule();

    // Before any window is created; again after Term.
    void Init(HINSTANCE instance);
    // After the last window object is gone.
    void Term();

    HINSTANCE GetModuleInstance() const { return m_hInstance; }

    // The object that the next window created on this thread belongs to.
    void AddCreateWndData(CWindowImplBase* window);

    // Takes this thread's object out of the registry; null when none waits.
    CWindowImplBase* ExtractCreateWndData();

    // The atom of the framework's one window class, registered on first use.
    ATOM RegisterWindowClass(WNDPROC procedure);

private:
    struct CreateData {
        DWORD threadId;
        CWindowImplBase* window;
    };

    HINSTANCE m_hInstance = nullptr;
    bool m_bLockReady = false;
    CRITICAL_SECTION m_lock{};
    std::vector<CreateData> m_creating;
    ATOM m_classAtom = 0;
    wchar_t m_szClassName[64] = {};
};

// The one module state of the program.
extern CWindowModule g_windowModule;
