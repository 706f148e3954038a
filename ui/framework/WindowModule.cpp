#include "WindowModule.h"

#include <cwchar>

CWindowModule g_windowModule;

CWindowModule::~CWindowModule() { Term(); }

void CWindowModule::Init(HINSTANCE instance)
{
    m_hInstance = instance;
    if (!m_bLockReady) {
        ::InitializeCriticalSection(&m_lock);
        m_bLockReady = true;
    }
}

void CWindowModule::Term()
{
    if (m_classAtom != 0) {
        ::UnregisterClassW(MAKEINTATOM(m_classAtom), m_hInstance);
        m_classAtom = 0;
    }
    m_creating.clear();
    if (m_bLockReady) {
        ::DeleteCriticalSection(&m_lock);
        m_bLockReady = false;
    }
}

void CWindowModule::AddCreateWndData(CWindowImplBase* window)
{
    ::EnterCriticalSection(&m_lock);
    m_creating.push_back(CreateData{::GetCurrentThreadId(), window});
    ::LeaveCriticalSection(&m_lock);
}

CWindowImplBase* CWindowModule::ExtractCreateWndData()
{
    CWindowImplBase* window = nullptr;
    const DWORD thread = ::GetCurrentThreadId();
    ::EnterCriticalSection(&m_lock);
    for (auto it = m_creating.begin(); it != m_creating.end(); ++it) {
        if (it->threadId == thread) {
            window = it->window;
            m_creating.erase(it);
            break;
        }
    }
    ::LeaveCriticalSection(&m_lock);
    return window;
}

ATOM CWindowModule::RegisterWindowClass(WNDPROC procedure)
{
    if (m_classAtom != 0) return m_classAtom;

    // A name of our own for this module and procedure, so that two copies of the code in
    // one process (a test program and a DLL, say) never share a class.
    std::swprintf(m_szClassName, sizeof(m_szClassName) / sizeof(m_szClassName[0]), L"ApkInstaller:%p",
                  reinterpret_cast<void*>(procedure));

    WNDCLASSEXW cls{};
    cls.cbSize = sizeof(cls);
    cls.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    cls.lpfnWndProc = procedure;
    cls.hInstance = m_hInstance;
    cls.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    cls.lpszClassName = m_szClassName;
    m_classAtom = ::RegisterClassExW(&cls);
    return m_classAtom;
}
