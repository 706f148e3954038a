#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "InstallMessageSink.h"
#include "QuilloThread.h"
#include "ScopedHandle.h"
#include "TestWindow.h"

namespace {

// A worker whose body waits until the test lets it go, and that tells what Stop did.
class CBlockingThread : public CQuilloThread {
public:
    CBlockingThread() : m_release(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~CBlockingThread() override
    {
        ::SetEvent(m_release.Get());
        Stop();
    }

    bool Start(bool blocks = true)
    {
        if (!blocks) ::SetEvent(m_release.Get());
        HANDLE release = m_release.Get();
        std::atomic<bool>* ran = &m_ran;
        return StartThread([release, ran] {
            ::WaitForSingleObject(release, INFINITE);
            *ran = true;
        });
    }

    void Release() { ::SetEvent(m_release.Get()); }
    HANDLE StopEvent() const { return m_hStopEvent.Get(); }
    DWORD ThreadId() const { return m_dwThreadId; }

    std::atomic<bool> m_ran{false};
    int m_abandoned = 0;
    int m_released = 0;
    bool m_joined = false;

protected:
    void OnRunAbandoned() override { ++m_abandoned; }
    void OnRunReleased(bool joined) override
    {
        ++m_released;
        m_joined = joined;
    }

private:
    CScopedKernelHandle m_release;
};

constexpr UINT kSlowMessage = WM_APP + 101;

// A window whose handling of kSlowMessage takes a second.
class CSlowWindow {
public:
    CSlowWindow() : m_hWnd(CreateTestWindow(L"ApkiSlowWindow", WindowProc, HWND_MESSAGE)) {}
    ~CSlowWindow() { ::DestroyWindow(m_hWnd); }
    CSlowWindow(const CSlowWindow&) = delete;
    CSlowWindow& operator=(const CSlowWindow&) = delete;

    HWND Get() const { return m_hWnd; }
    int Handled() const { return s_handled; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != kSlowMessage) return ::DefWindowProcW(window, message, wParam, lParam);
        ::Sleep(1000);
        ++s_handled;
        return 0;
    }

    static inline int s_handled = 0;
    HWND m_hWnd = nullptr;
};

}  // namespace

TEST(QuilloThread, StopOnNeverStartedObjectClosesNothing)
{
    CBlockingThread thread;
    EXPECT_FALSE(thread.Stop());
    EXPECT_FALSE(thread.Stop(5000));
    EXPECT_EQ(0, thread.m_released);
}

TEST(QuilloThread, StopOnEndedRunReleasesWithoutWaiting)
{
    CBlockingThread thread;
    ASSERT_TRUE(thread.Start(false));
    EXPECT_NE(0u, thread.ThreadId());
    for (int i = 0; i < 500 && thread.IsRunning(); ++i) ::Sleep(10);
    ASSERT_FALSE(thread.IsRunning());
    EXPECT_EQ(WAIT_TIMEOUT, ::WaitForSingleObject(thread.StopEvent(), 0)) << "an ended run is not signalled";

    EXPECT_TRUE(thread.Stop(5000));
    EXPECT_TRUE(thread.m_ran);
    EXPECT_EQ(0u, thread.ThreadId());
    EXPECT_EQ(1, thread.m_released);
    EXPECT_TRUE(thread.m_joined);
    EXPECT_EQ(0, thread.m_abandoned);
    EXPECT_FALSE(thread.Stop());
}

TEST(QuilloThread, StopWithoutLimitWaitsForTheEnd)
{
    CBlockingThread thread;
    ASSERT_TRUE(thread.Start());
    std::thread releaser([&thread] {
        ::Sleep(300);
        thread.Release();
    });
    EXPECT_TRUE(thread.Stop());
    releaser.join();
    EXPECT_TRUE(thread.m_ran);
    EXPECT_TRUE(thread.m_joined);
    EXPECT_EQ(0, thread.m_abandoned);
}

TEST(QuilloThread, LimitUsedUpAbandonsTheRun)
{
    CBlockingThread thread;
    ASSERT_TRUE(thread.Start());
    const ULONGLONG started = ::GetTickCount64();
    thread.Stop(1000);
    const ULONGLONG spent = ::GetTickCount64() - started;
    EXPECT_GE(spent, 950u);
    EXPECT_LT(spent, 2500u);
    EXPECT_EQ(1, thread.m_abandoned);
    EXPECT_FALSE(thread.m_joined);
    EXPECT_FALSE(thread.m_ran) << "the thread was not killed: it still waits";
    EXPECT_FALSE(thread.IsRunning()) << "the object no longer holds it";
    thread.Release();
}

TEST(QuilloThread, MessagesSentDuringTheWaitAreHandledWithinTheLimit)
{
    CSlowWindow window;
    CBlockingThread thread;
    ASSERT_TRUE(thread.Start());
    const HWND target = window.Get();
    std::thread sender([target] {
        ::Sleep(200);
        // A sender that waits for us while we wait for the worker: handled, no deadlock.
        ::SendMessageW(target, kSlowMessage, 0, 0);
        ::SendMessageW(target, kSlowMessage, 0, 0);
    });
    const ULONGLONG started = ::GetTickCount64();
    thread.Stop(3000);
    const ULONGLONG spent = ::GetTickCount64() - started;
    sender.join();
    EXPECT_EQ(2, window.Handled());
    // 3000 ms, then the abandoned run's grace of 500 ms; not 2000 ms more for the handling.
    EXPECT_GE(spent, 2950u);
    EXPECT_LT(spent, 4500u) << "the time spent handling counts against the limit";
    thread.Release();
}

TEST(QuilloThread, PostedMessagesStayQueuedDuringTheWait)
{
    CInstallMessageSink window;
    CBlockingThread thread;
    ASSERT_TRUE(thread.Start());
    ::PostMessageW(window.Window(), WM_APP + 103, 0, 0);
    std::thread releaser([&thread] {
        ::Sleep(200);
        thread.Release();
    });
    thread.Stop(5000);
    releaser.join();
    EXPECT_TRUE(window.OtherMessages().empty());
    window.Collect(50);
    ASSERT_EQ(1u, window.OtherMessages().size());
}
