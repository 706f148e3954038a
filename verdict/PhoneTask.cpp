#include "PhoneTask.h"

#include <process.h>

#include <mutex>

namespace {

// How long destruction waits for runs still asking the phone; their adb commands end as
// soon as they are cancelled, so this is only a bound.
constexpr DWORD kEndWaitMs = 3000;

}  // namespace

struct CPhoneTask::Run {
    HWND notifyWnd = nullptr;
    UINT message = 0;
    WPARAM number = 0;
    Body body;
    HANDLE cancel = nullptr;

    std::mutex lock;
    bool abandoned = false;
    bool done = false;
    PhoneTaskResult result;

    ~Run()
    {
        if (cancel) ::CloseHandle(cancel);
    }
};

CPhoneTask::~CPhoneTask()
{
    Cancel();
    const ULONGLONG deadline = ::GetTickCount64() + kEndWaitMs;
    for (const HANDLE thread : m_threads) {
        const ULONGLONG now = ::GetTickCount64();
        ::WaitForSingleObject(thread, now < deadline ? DWORD(deadline - now) : 0);
        ::CloseHandle(thread);
    }
}

bool CPhoneTask::Ask(HWND notifyWnd, UINT message, Body body)
{
    Cancel();
    ReleaseEndedThreads();
    auto run = std::make_shared<Run>();
    run->notifyWnd = notifyWnd;
    run->message = message;
    run->number = ++m_nRuns;
    run->body = std::move(body);
    run->cancel = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!run->cancel) return false;

    // The thread holds its own share, so that an abandoned run outlives this object.
    auto* share = new std::shared_ptr<Run>(run);
    const uintptr_t thread = _beginthreadex(nullptr, 0, &CPhoneTask::ThreadEntry, share, 0, nullptr);
    if (!thread) {
        delete share;
        return false;
    }
    m_threads.push_back(reinterpret_cast<HANDLE>(thread));
    m_pRun = std::move(run);
    return true;
}

void CPhoneTask::Cancel()
{
    if (!m_pRun) return;
    {
        std::lock_guard<std::mutex> hold(m_pRun->lock);
        m_pRun->abandoned = true;
    }
    ::SetEvent(m_pRun->cancel);
    m_pRun.reset();
}

bool CPhoneTask::IsBusy() const
{
    if (!m_pRun) return false;
    std::lock_guard<std::mutex> hold(m_pRun->lock);
    return !m_pRun->done;
}

bool CPhoneTask::Take(WPARAM runNumber, PhoneTaskResult& result)
{
    if (!m_pRun || m_pRun->number != runNumber) return false;
    std::lock_guard<std::mutex> hold(m_pRun->lock);
    if (!m_pRun->done) return false;
    result = m_pRun->result;
    return true;
}

void CPhoneTask::ReleaseEndedThreads()
{
    for (auto it = m_threads.begin(); it != m_threads.end();) {
        if (::WaitForSingleObject(*it, 0) == WAIT_OBJECT_0) {
            ::CloseHandle(*it);
            it = m_threads.erase(it);
        } else {
            ++it;
        }
    }
}

unsigned __stdcall CPhoneTask::ThreadEntry(void* share)
{
    const std::shared_ptr<Run> run = *static_cast<std::shared_ptr<Run>*>(share);
    delete static_cast<std::shared_ptr<Run>*>(share);

    PhoneTaskResult result;
    run->body(run->cancel, result);

    std::lock_guard<std::mutex> hold(run->lock);
    if (run->abandoned) return 0;
    run->result = std::move(result);
    run->done = true;
    if (::IsWindow(run->notifyWnd)) ::PostMessageW(run->notifyWnd, run->message, run->number, 0);
    return 0;
}
