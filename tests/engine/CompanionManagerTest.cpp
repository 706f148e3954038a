#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>

#include "ComApartment.h"
#include "CompanionCommand.h"
#include "CompanionManager.h"
#include "FakeCompanion.h"
#include "FakeHelmsway.h"
#include "TempDirectory.h"

namespace {

bool CompanionMutexExists()
{
    HANDLE mutex = ::OpenMutexW(SYNCHRONIZE, FALSE, kCompanionSharedName);
    if (!mutex) return false;
    ::CloseHandle(mutex);
    return true;
}

std::wstring HandOverParameters(const std::wstring& package)
{
    const CFakeHelmsway helmsway;
    const CComApartment com;
    EXPECT_TRUE(HandOverToCompanion(package)) << "the manager was started";
    const auto launches = helmsway.WaitForLaunches(1);
    EXPECT_EQ(1u, launches.size());
    return launches.empty() ? std::wstring() : CFakeHelmsway::Parameters(launches[0]);
}

}  // namespace

TEST(QueryCompanionManager, NoMutex)
{
    ASSERT_FALSE(CompanionMutexExists());
    EXPECT_EQ(1, QueryCompanionManager());
    EXPECT_FALSE(CompanionMutexExists()) << "the query's own mutex is closed again";
}

TEST(QueryCompanionManager, NoMutexMeansNoWindowSearch)
{
    const CFakeCompanion window(CFakeCompanion::Window::Answers, 4, false);
    EXPECT_EQ(1, QueryCompanionManager());
    EXPECT_EQ(0, window.QueriesAnswered());
}

TEST(QueryCompanionManager, MutexWithoutWindow)
{
    const CFakeCompanion companion(CFakeCompanion::Window::None);
    EXPECT_EQ(1, QueryCompanionManager());
}

TEST(QueryCompanionManager, ManagersAnswerIsTheResult)
{
    for (int reply : {4, 0, 5, 1}) {
        const CFakeCompanion companion(CFakeCompanion::Window::Answers, reply);
        EXPECT_EQ(reply, QueryCompanionManager()) << reply;
        EXPECT_EQ(1, companion.QueriesAnswered()) << reply;
    }
}

TEST(QueryCompanionManager, WindowThatDoesNotAnswerGives100AfterOneSecond)
{
    const CFakeCompanion companion(CFakeCompanion::Window::Hangs);
    const ULONGLONG started = ::GetTickCount64();
    EXPECT_EQ(100, QueryCompanionManager());
    const ULONGLONG spent = ::GetTickCount64() - started;
    EXPECT_GE(spent, 950u);
    EXPECT_LT(spent, 3000u);
}

TEST(QueryCompanionManager, OnlyTheFirstWindowInTheSystemsOrderIsAsked)
{
    const CFakeCompanion older(CFakeCompanion::Window::Answers, 5);
    const CFakeCompanion newer(CFakeCompanion::Window::Answers, 4);
    const int result = QueryCompanionManager();
    EXPECT_EQ(1, older.QueriesAnswered() + newer.QueriesAnswered());
    EXPECT_EQ(newer.QueriesAnswered() == 1 ? 4 : 5, result);
}

TEST(HandOverToCompanion, PathWithBlankIsQuoted)
{
    CTempDirectory dir;
    const std::wstring package = dir.File(L"my apps\\游戏 1.apk");
    EXPECT_EQ(L"\"" + package + L"\"", HandOverParameters(package));
}

TEST(HandOverToCompanion, PathWithTabIsBare)
{
    const std::wstring package = L"C:\\apps\\a\tb.apk";
    EXPECT_EQ(package, HandOverParameters(package));
}

TEST(LaunchCompanionInstaller, StartsTheManagersInstaller)
{
    const CFakeHelmsway helmsway;
    LaunchCompanionInstaller();
    const auto launches = helmsway.WaitForLaunches(1);
    ASSERT_EQ(1u, launches.size());
    EXPECT_EQ(L"-apkinstaller", CFakeHelmsway::Parameters(launches[0]));
    EXPECT_NE(std::wstring::npos, launches[0].find(L"Helmsway.exe"));
}
