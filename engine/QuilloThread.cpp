#include "QuilloThread.h"

#include <process.h>

#include <cstdint>
#include <memory>

namespace {

constexpr DWORD kDestructorStopMs = 5000;
// How long an abandoned run gets to end once told; it only has to leave a killed adb.
constexpr DWORD kAbandonGraceMs = 500;

// Waits for the handle, handling the messages that other threads send to this one
// meanwhile (a sender would otherwise wait for us while we wait for the worker). Posted
// messages are left in the queue: they are not for a caller that is busy stopping, and
// taking one could mean waiting for it past the limit. True when the handle was signalled
// in time.
bool WaitHandlingSentMessages(HANDLE handle, DWORD timeoutMs)
{
    DWORD remaining = timeoutMs;
    DWORD noted = ::GetTickCount();
    for (;;) {
        const DWORD result = ::MsgWaitForMultipleObjects(1, &handle, FALSE, remaining, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0) return true;
        if (result != WAIT_OBJECT_0 + 1) return false;  // timed out or failed

        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        if (timeoutMs == INFINITE) continue;
        const DWORD now = ::GetTickCount();
        const DWORD spent = now - noted;
        if (remaining <= spent) return ::WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        remaining -= spent;
        noted = now;
    }
}

}  // namespace

CQuilloThread::~CQuilloThread() { Stop(kDestructorStopMs); }

bool CQuilloThread::IsRunning() const
{
    DWORD exitCode = 0;
    return m_hThread && ::GetExitCodeThread(m_hThread.Get(), &exitCode) && exitCode == STILL_ACTIVE;
}

bool CQuilloThread::StartThread(std::function<void()> body)
{
    m_hStopEvent.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_hStopEvent) return false;
    auto owned = std::make_unique<std::function<void()>>(std::move(body));
    unsigned id = 0;
    const uintptr_t thread = ::_beginthreadex(nullptr, 0, ThreadEntry, owned.get(), 0, &id);
    if (thread == 0) {
        m_hStopEvent.Reset();
        return false;
    }
    owned.release();  // the thread owns it now
    m_hThread.Reset(reinterpret_cast<HANDLE>(thread));
    m_dwThreadId = id;
    return true;
}

unsigned __stdcall CQuilloThread::ThreadEntry(void* body)
{
    const std::unique_ptr<std::function<void()>> run(static_cast<std::function<void()>*>(body));
    if (run && *run) (*run)();
    return 0;
}

bool CQuilloThread::Stop(DWORD timeoutMs)
{
    if (m_hThread) {
        bool joined = true;
        if (IsRunning()) {
            if (m_hStopEvent) ::SetEvent(m_hStopEvent.Get());
            if (!WaitHandlingSentMessages(m_hThread.Get(), timeoutMs)) {
                OnRunAbandoned();
                // Usually the run ends at once; if it does not, it is left to end alone.
                joined = WaitHandlingSentMessages(m_hThread.Get(), kAbandonGraceMs);
            }
        }
        OnRunReleased(joined);
        m_hThread.Reset();
    }
    m_dwThreadId = 0;
    return m_hStopEvent.Close();
}
