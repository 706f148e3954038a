#include <gtest/gtest.h>

#include <functional>

#include "FakeAdbScenario.h"
#include "PhoneMessages.h"
#include "PhoneWatcher.h"
#include "TestWindow.h"

namespace {

int g_changes = 0;

LRESULT CALLBACK CountChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PHONES_CHANGED) ++g_changes;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs) return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::Sleep(20);
    }
    return true;
}

std::size_t LooksSoFar(const CFakeAdbScenario& adb)
{
    std::size_t looks = 0;
    for (const std::wstring& line : adb.RecordedCommands()) {
        if (line.find(L"devices -l") != std::wstring::npos) ++looks;
    }
    return looks;
}

class PhoneWatcherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_changes = 0;
        m_window = CreateTestWindow(L"PhoneWatcherTest", CountChanges, HWND_MESSAGE);
        ASSERT_NE(nullptr, m_window);
    }
    void TearDown() override { ::DestroyWindow(m_window); }

    CFakeAdbScenario m_adb;
    HWND m_window = nullptr;
};

}  // namespace

TEST_F(PhoneWatcherTest, PostsEachChangeOnceAndFollowsThePhones)
{
    m_adb.SetDevices({{L"EMU1", L"device"}});
    CPhoneWatcher watcher;
    ASSERT_TRUE(watcher.Start(m_window));
    ASSERT_TRUE(PumpUntil([] { return g_changes == 1; }, 8000));
    PhoneStatus status = watcher.Latest();
    EXPECT_EQ(PhoneStatusKind::Ready, status.kind);
    ASSERT_EQ(1u, status.ready.size());
    EXPECT_EQ(L"EMU1", status.ready[0].serial);

    // Unchanged looks post nothing.
    ASSERT_TRUE(PumpUntil([this] { return LooksSoFar(m_adb) >= 3; }, 8000));
    EXPECT_EQ(1, g_changes);

    m_adb.SetDevices({{L"EMU1", L"unauthorized"}});
    ASSERT_TRUE(PumpUntil([] { return g_changes == 2; }, 4000));
    EXPECT_EQ(PhoneStatusKind::Unauthorized, watcher.Latest().kind);
    watcher.Finish();
}

TEST_F(PhoneWatcherTest, PausedWatchAsksNothingAndLooksAtOnceOnResume)
{
    m_adb.SetDevices({});
    CPhoneWatcher watcher;
    ASSERT_TRUE(watcher.Start(m_window));
    ASSERT_TRUE(PumpUntil([] { return g_changes == 1; }, 8000));
    EXPECT_EQ(PhoneStatusKind::NoPhone, watcher.Latest().kind);

    watcher.Pause();
    const std::size_t looks = LooksSoFar(m_adb);
    m_adb.SetDevices({{L"EMU1", L"device"}});
    PumpUntil([] { return false; }, 3000);
    EXPECT_EQ(looks, LooksSoFar(m_adb));
    EXPECT_EQ(1, g_changes);

    const DWORD resumed = ::GetTickCount();
    watcher.Resume();
    ASSERT_TRUE(PumpUntil([] { return g_changes == 2; }, 4000));
    EXPECT_LT(::GetTickCount() - resumed, DWORD(kPhonePollPeriodMs));
    EXPECT_EQ(PhoneStatusKind::Ready, watcher.Latest().kind);
}

TEST_F(PhoneWatcherTest, FinishCancelsALookUnderWay)
{
    m_adb.SetDevices({});
    m_adb.Set(L"devices", L"delay-ms", L"30000");
    CPhoneWatcher watcher;
    ASSERT_TRUE(watcher.Start(m_window));
    ASSERT_TRUE(PumpUntil([this] { return LooksSoFar(m_adb) == 1; }, 8000));
    const DWORD start = ::GetTickCount();
    watcher.Finish();
    EXPECT_LT(::GetTickCount() - start, 2000u);
    EXPECT_FALSE(watcher.IsRunning());
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(0, g_changes);  // the cancelled look is not published
    EXPECT_TRUE(m_adb.ProcessesEnd(L"adb", 1000));
}
