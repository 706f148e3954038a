#include <gtest/gtest.h>

#include <windows.h>

#include "AdbCommand.h"
#include "AdbRunner.h"
#include "ApkInstallerThread.h"
#include "ExpectedTexts.h"
#include "FakeAdbScenario.h"
#include "FakeCompanion.h"
#include "FakeHelmsway.h"
#include "InstallMessageSink.h"
#include "InstallMessages.h"
#include "FileSha256.h"
#include "TempDirectory.h"
#include "TestData.h"

namespace {

std::wstring ApiDemos()
{
    const std::string path = TestDataPath("apks/ApiDemos-debug.apk");
    return std::wstring(path.begin(), path.end());
}

class ApkInstallerThreadTest : public ::testing::Test {
protected:
    ~ApkInstallerThreadTest() override
    {
        m_worker.Stop();
        const std::wstring copy = m_worker.GetTempApkPath();
        if (!copy.empty()) ::DeleteFileW(copy.c_str());
    }

    // One whole job: its one message, after which the worker is stopped as the window
    // stops it.
    InstallMessage RunJob(const std::wstring& package, bool installToSd = false)
    {
        InstallMessage message;
        EXPECT_TRUE(m_worker.Start(m_sink.Window(), package, installToSd));
        EXPECT_TRUE(m_sink.WaitForMessage(message));
        m_worker.Stop();
        EXPECT_TRUE(m_sink.Collect(200).empty()) << "a job posts exactly one message";
        return message;
    }

    std::wstring Command(const wchar_t* commandTemplate, const std::wstring& serial = L"0123456789ABCDEF") const
    {
        return FormatAdbCommand(commandTemplate, {GetAdbPath(), serial, m_worker.GetTempApkPath()});
    }

    void ExpectMessage(const InstallMessage& message, UINT number, WPARAM wParam, LPARAM lParam)
    {
        EXPECT_EQ(number, message.message);
        EXPECT_EQ(wParam, message.wParam);
        EXPECT_EQ(lParam, message.lParam);
    }

    // Waits until the stand-in has been started count times.
    void WaitForCommands(std::size_t count)
    {
        for (int i = 0; i < 500 && m_adb.RecordedCommands().size() < count; ++i) ::Sleep(20);
        ASSERT_GE(m_adb.RecordedCommands().size(), count);
    }

    CFakeAdbScenario m_adb;
    CInstallMessageSink m_sink;
    CApkInstallerThread m_worker;
};

}  // namespace

TEST_F(ApkInstallerThreadTest, NoPhoneAndNoCompanion)
{
    m_adb.PlayCapture("empty");
    ExpectMessage(RunJob(ApiDemos()), WM_INSTALL_NO_DEVICE, 0, 0);
    EXPECT_EQ(1u, m_adb.RecordedCommands().size());
    EXPECT_TRUE(m_worker.GetTempApkPath().empty());
}

TEST_F(ApkInstallerThreadTest, PhoneInRecovery)
{
    m_adb.PlayCapture("recovery");
    ExpectMessage(RunJob(ApiDemos()), WM_INSTALL_NO_DEVICE, 5, 0);
}

TEST_F(ApkInstallerThreadTest, UnauthorizedPhoneIsReportedNotLeftWaiting)
{
    m_adb.PlayCapture("unauthorized");
    ExpectMessage(RunJob(ApiDemos()), WM_INSTALL_NO_DEVICE, 7, 0);
    m_adb.SetDevices({{L"X1", L"authorizing"}});
    ExpectMessage(RunJob(ApiDemos()), WM_INSTALL_NO_DEVICE, 8, 0);
    m_adb.SetDevices({{L"X1", L"no permissions (user in plugdev group)"}});
    ExpectMessage(RunJob(ApiDemos()), WM_INSTALL_NO_DEVICE, 10, 0);
    m_adb.SetDevices({{L"X1", L"sideload"}});
    ExpectMessage(RunJob(ApiDemos()), WM_INSTALL_NO_DEVICE, 11, 0);
}

TEST_F(ApkInstallerThreadTest, SuccessfulInstallUsesExactlyTheTemplates)
{
    m_adb.PlayCapture("ready_modern");
    ExpectMessage(RunJob(ApiDemos()), WM_INSTALL_DONE, 1, 1);

    const auto commands = m_adb.RecordedCommands();
    ASSERT_EQ(3u, commands.size());
    EXPECT_EQ(FormatAdbCommand(kAdbDevices, {GetAdbPath()}), commands[0]);
    EXPECT_EQ(Command(kAdbGetInstallLocation), commands[1]);
    EXPECT_EQ(Command(kAdbInstallToPhone), commands[2]);

    const auto packages = m_adb.RecordedPackages();
    ASSERT_EQ(1u, packages.size());
    EXPECT_EQ(m_worker.GetTempApkPath(), packages[0].path);
    EXPECT_EQ(6419064u, packages[0].size);
    EXPECT_EQ(Sha256OfFile(ApiDemos()), packages[0].sha256) << "adb got the whole package";
}

TEST_F(ApkInstallerThreadTest, SdCardOnSdk17AsksNoLocation)
{
    m_adb.PlayCapture("ready_legacy");  // SDK 17
    ExpectMessage(RunJob(ApiDemos(), true), WM_INSTALL_DONE, 1, 1);
    const auto commands = m_adb.RecordedCommands();
    ASSERT_EQ(3u, commands.size());
    EXPECT_EQ(Command(kAdbGetSdk), commands[1]);
    EXPECT_EQ(Command(kAdbInstallToSd), commands[2]);
}

TEST_F(ApkInstallerThreadTest, SdCardOnSdk7FallsBackToTheLocationRule)
{
    m_adb.PlayCapture("install_older_sdk_legacy");
    m_adb.Set(L"getprop_sdk", L"output-file", L"");
    m_adb.Set(L"getprop_sdk", L"output-text", L"7\\r\\n");
    ExpectMessage(RunJob(ApiDemos(), true), WM_INSTALL_DONE, 0, 0);
    const auto commands = m_adb.RecordedCommands();
    ASSERT_EQ(4u, commands.size());
    EXPECT_EQ(Command(kAdbGetInstallLocation), commands[2]);
    EXPECT_EQ(Command(kAdbInstallToPhone), commands[3]);
    EXPECT_EQ(ExpectedTextFor(105), m_worker.GetError());
}

TEST_F(ApkInstallerThreadTest, SdCardWithoutSdkAnswerGoesToThePhone)
{
    m_adb.PlayCapture("sdk_empty");
    const InstallMessage message = RunJob(ApiDemos(), true);
    EXPECT_EQ(WM_INSTALL_DONE, message.message);
    EXPECT_EQ(0, message.lParam);
    EXPECT_EQ(Command(kAdbGetInstallLocation), m_adb.RecordedCommands().at(2));
}

TEST_F(ApkInstallerThreadTest, LocationErrorTextGivesPlainReplace)
{
    m_adb.PlayCapture("location_unknown_legacy");
    ExpectMessage(RunJob(ApiDemos()), WM_INSTALL_DONE, 1, 1);
    EXPECT_EQ(Command(kAdbInstall), m_adb.RecordedCommands().back());
}

TEST_F(ApkInstallerThreadTest, AlreadyExists)
{
    m_adb.PlayCapture("install_exists_legacy");
    ExpectMessage(RunJob(ApiDemos()), WM_INSTALL_DONE, 0, 1);
    EXPECT_EQ(ExpectedTextFor(120), m_worker.GetError());
    EXPECT_FALSE(m_worker.GetTempApkPath().empty()) << "the window deletes the copy";
}

TEST_F(ApkInstallerThreadTest, PackagePathWithBlanksAndChineseNeverReachesAdb)
{
    CTempDirectory dir;
    const std::wstring folder = dir.File(L"我的 下载");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring package = folder + L"\\安装 包.apk";
    ASSERT_TRUE(::CopyFileW(ApiDemos().c_str(), package.c_str(), FALSE));

    m_adb.PlayCapture("ready_modern");
    ExpectMessage(RunJob(package), WM_INSTALL_DONE, 1, 1);
    for (const std::wstring& command : m_adb.RecordedCommands()) {
        EXPECT_EQ(std::wstring::npos, command.find(L"我的")) << "adb sees only the numeric copy";
    }
    const auto packages = m_adb.RecordedPackages();
    ASSERT_EQ(1u, packages.size());
    EXPECT_EQ(Sha256OfFile(package), packages[0].sha256);
}

TEST_F(ApkInstallerThreadTest, SecondOfTwoPhonesIsUsedWhenTheFirstIsOffline)
{
    m_adb.SetDevices({{L"A1", L"offline"}, {L"B2", L"device"}});
    m_adb.Set(L"install_r", L"output-text", L"Success\\r\\n");
    ExpectMessage(RunJob(ApiDemos()), WM_INSTALL_DONE, 1, 1);
    const auto commands = m_adb.RecordedCommands();
    ASSERT_EQ(3u, commands.size());
    EXPECT_EQ(Command(kAdbInstall, L"B2"), commands[2]);
}

TEST_F(ApkInstallerThreadTest, PhoneWithoutSerialIsInstalledTo)
{
    // adb's placeholder for a phone that reports no serial number holds blanks.
    const std::wstring serial = L"(no serial number)";
    m_adb.SetDevices({{serial, L"device"}});
    m_adb.Set(L"getInstallLocation@" + serial, L"output-text", L"0[auto]\\r\\n");
    m_adb.Set(L"install_r_f@" + serial, L"output-text", L"Success\\r\\n");
    ExpectMessage(RunJob(ApiDemos()), WM_INSTALL_DONE, 1, 1);
    const auto commands = m_adb.RecordedCommands();
    ASSERT_EQ(3u, commands.size());
    EXPECT_EQ(Command(kAdbInstallToPhone, L"\"" + serial + L"\""), commands[2]);
}

TEST_F(ApkInstallerThreadTest, VanishedPackageFailsWithoutInstalling)
{
    CTempDirectory dir;
    m_adb.PlayCapture("ready_modern");
    ExpectMessage(RunJob(dir.File(L"gone.apk")), WM_INSTALL_DONE, 0, 1);
    EXPECT_EQ(ExpectedTextFor(133), m_worker.GetError());
    EXPECT_EQ(1u, m_adb.RecordedCommands().size()) << "no install of a path that holds no file";
    EXPECT_TRUE(m_worker.GetTempApkPath().empty());
}

TEST_F(ApkInstallerThreadTest, CompanionTakesThePackageOver)
{
    const CFakeCompanion companion(CFakeCompanion::Window::Answers, 4);
    const CFakeHelmsway helmsway;
    CTempDirectory dir;
    const std::wstring package = dir.File(L"with blank.apk");
    m_adb.PlayCapture("empty");
    ExpectMessage(RunJob(package), WM_INSTALL_HANDED_OVER, 0, 0);
    const auto launches = helmsway.WaitForLaunches(1);
    ASSERT_EQ(1u, launches.size());
    EXPECT_EQ(L"\"" + package + L"\"", CFakeHelmsway::Parameters(launches[0]));
    EXPECT_EQ(1, companion.QueriesAnswered());
}

TEST_F(ApkInstallerThreadTest, CompanionThatDeclinesLeavesNoDevice)
{
    const CFakeCompanion companion(CFakeCompanion::Window::Answers, 5);
    const CFakeHelmsway helmsway;
    m_adb.PlayCapture("empty");
    ExpectMessage(RunJob(ApiDemos()), WM_INSTALL_NO_DEVICE, 0, 0);
    EXPECT_EQ(1, companion.QueriesAnswered());
    EXPECT_TRUE(helmsway.Launches().empty());
}

TEST_F(ApkInstallerThreadTest, AdbThatPrintsNoListIsReportedAndNotHandedOver)
{
    const CFakeCompanion companion(CFakeCompanion::Window::Answers, 4);
    const CFakeHelmsway helmsway;
    m_adb.SetOutputBytes(L"devices", "");
    m_adb.Set(L"devices", L"exit", L"3221225781");  // STATUS_DLL_NOT_FOUND
    ExpectMessage(RunJob(ApiDemos()), WM_INSTALL_NO_DEVICE, 12, 0);
    EXPECT_EQ(0, companion.QueriesAnswered());
    EXPECT_TRUE(helmsway.Launches().empty());
}

TEST_F(ApkInstallerThreadTest, DestroyedWhileAShortInstallEndsLeavesNoCopy)
{
    m_adb.PlayCapture("ready_modern");
    m_adb.Set(L"install_r_f", L"delay-ms", L"1000");
    {
        CApkInstallerThread worker;
        ASSERT_TRUE(worker.Start(m_sink.Window(), ApiDemos(), false));
        WaitForCommands(3);
    }  // the job ends while the destructor waits, and its message is never read
    ASSERT_EQ(1u, m_adb.RecordedPackages().size());
    EXPECT_FALSE(FileExists(m_adb.RecordedPackages()[0].path));
}

TEST_F(ApkInstallerThreadTest, StopWithLimitDuringAHangingInstall)
{
    m_adb.PlayCapture("ready_modern");
    m_adb.Set(L"install_r_f", L"delay-ms", L"30000");
    ASSERT_TRUE(m_worker.Start(m_sink.Window(), ApiDemos(), false));
    WaitForCommands(3);

    const ULONGLONG started = ::GetTickCount64();
    m_worker.Stop(5000);
    const ULONGLONG spent = ::GetTickCount64() - started;
    EXPECT_GE(spent, 4900u);
    EXPECT_LT(spent, 6500u);

    EXPECT_TRUE(m_sink.Collect(1500).empty()) << "an abandoned job posts nothing";
    EXPECT_TRUE(m_worker.GetTempApkPath().empty()) << "nothing is left for the owner";
    const auto packages = m_adb.RecordedPackages();
    ASSERT_EQ(1u, packages.size());
    EXPECT_FALSE(FileExists(packages[0].path)) << "the abandoned job removed its own copy";
    EXPECT_FALSE(m_worker.IsRunning());
}

TEST_F(ApkInstallerThreadTest, WindowGoneBeforeTheEndGetsNothing)
{
    m_adb.PlayCapture("ready_modern");
    m_adb.Set(L"install_r_f", L"delay-ms", L"1000");
    ASSERT_TRUE(m_worker.Start(m_sink.Window(), ApiDemos(), false));
    WaitForCommands(3);
    m_sink.Destroy();
    m_worker.Stop();
    EXPECT_TRUE(m_worker.GetTempApkPath().empty());
    ASSERT_EQ(1u, m_adb.RecordedPackages().size());
    EXPECT_FALSE(FileExists(m_adb.RecordedPackages()[0].path)) << "nobody else would delete it";
}

TEST_F(ApkInstallerThreadTest, StopOnNeverStartedAndOnEndedRuns)
{
    CApkInstallerThread idle;
    EXPECT_FALSE(idle.Stop());
    EXPECT_FALSE(idle.Stop(5000));

    m_adb.PlayCapture("offline");
    ASSERT_TRUE(m_worker.Start(m_sink.Window(), ApiDemos(), false));
    InstallMessage message;
    ASSERT_TRUE(m_sink.WaitForMessage(message));
    // The window does not stop the worker after WM_INSTALL_NO_DEVICE: the next Start
    // releases the ended run itself.
    for (int i = 0; i < 500 && m_worker.IsRunning(); ++i) ::Sleep(10);
    ASSERT_TRUE(m_worker.Start(m_sink.Window(), ApiDemos(), false));
    ASSERT_TRUE(m_sink.WaitForMessage(message));
    for (int i = 0; i < 500 && m_worker.IsRunning(); ++i) ::Sleep(10);
    const ULONGLONG started = ::GetTickCount64();
    EXPECT_TRUE(m_worker.Stop(5000));
    EXPECT_LT(::GetTickCount64() - started, 1000u);
    EXPECT_FALSE(m_worker.Stop());
}

TEST_F(ApkInstallerThreadTest, NoSecondRunWhileOneIsGoing)
{
    m_adb.PlayCapture("ready_modern");
    m_adb.Set(L"install_r_f", L"delay-ms", L"1000");
    ASSERT_TRUE(m_worker.Start(m_sink.Window(), ApiDemos(), false));
    EXPECT_FALSE(m_worker.Start(m_sink.Window(), ApiDemos(), false));
    InstallMessage message;
    ASSERT_TRUE(m_sink.WaitForMessage(message));
    m_worker.Stop();
    EXPECT_EQ(1u, m_adb.RecordedPackages().size());
}
