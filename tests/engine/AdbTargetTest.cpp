#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include "AdbRunner.h"
#include "AdbTarget.h"
#include "ExpectedTexts.h"
#include "FakeAdbScenario.h"
#include "ScopedHandle.h"

namespace {

class AdbTargetTest : public ::testing::Test {
protected:
    AdbTarget Target() const { return AdbTarget{L"SER1", L"C:\\temp\\4712.apk", GetAdbPath()}; }

    std::wstring Line(const wchar_t* tail) const { return L"\"" + GetAdbPath() + L"\" -s SER1 " + tail; }

    CFakeAdbScenario m_adb;
};

}  // namespace

TEST_F(AdbTargetTest, SdkLevelFromTheAnswer)
{
    m_adb.Set(L"getprop_sdk", L"output-text", L"17\\r\\n");
    EXPECT_EQ(17, Target().QuerySdkVersion());
    ASSERT_EQ(1u, m_adb.RecordedCommands().size());
    EXPECT_EQ(Line(L"shell getprop ro.build.version.sdk"), m_adb.RecordedCommands()[0]);
}

TEST_F(AdbTargetTest, SdkLevelIsZeroWhenItCannotBeRead)
{
    EXPECT_EQ(0, Target().QuerySdkVersion()) << "empty answer";
    m_adb.PlayCapture("sdk_garbage", "getprop_sdk");
    EXPECT_EQ(0, Target().QuerySdkVersion()) << "no number";
    m_adb.Set(L"getprop_sdk", L"output-text", L"28\\n");
    m_adb.Set(L"getprop_sdk", L"exit", L"4294967295");
    EXPECT_EQ(0, Target().QuerySdkVersion()) << "adb failed twice";
}

TEST_F(AdbTargetTest, SdInstallAsksNoLocation)
{
    m_adb.PlayCapture("ready_modern");
    std::wstring error = L"untouched";
    EXPECT_TRUE(Target().InstallApk(true, error));
    EXPECT_EQ(L"untouched", error);
    const auto commands = m_adb.RecordedCommands();
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(Line(L"install -r -s \"C:\\temp\\4712.apk\""), commands[0]);
}

TEST_F(AdbTargetTest, LocationSettingSelectsInternalMemory)
{
    m_adb.PlayCapture("ready_legacy");
    std::wstring error;
    EXPECT_TRUE(Target().InstallApk(false, error));
    const auto commands = m_adb.RecordedCommands();
    ASSERT_EQ(2u, commands.size());
    EXPECT_EQ(Line(L"shell pm getInstallLocation"), commands[0]);
    EXPECT_EQ(Line(L"install -r -f \"C:\\temp\\4712.apk\""), commands[1]);
}

TEST_F(AdbTargetTest, PhoneThatDoesNotKnowTheLocationGetsPlainReplace)
{
    for (const char* situation : {"location_unknown_modern", "location_unknown_legacy"}) {
        CFakeAdbScenario adb;
        adb.PlayCapture(situation);
        std::wstring error;
        Target().InstallApk(false, error);
        const auto commands = adb.RecordedCommands();
        ASSERT_FALSE(commands.empty()) << situation;
        EXPECT_EQ(Line(L"install -r \"C:\\temp\\4712.apk\""), commands.back()) << situation;
    }
}

TEST_F(AdbTargetTest, EmptyLocationAnswerGetsPlainReplace)
{
    m_adb.Set(L"install_r", L"output-text", L"Success\\r\\n");
    std::wstring error;
    EXPECT_TRUE(Target().InstallApk(false, error));
    EXPECT_EQ(Line(L"install -r \"C:\\temp\\4712.apk\""), m_adb.RecordedCommands().back());
}

TEST_F(AdbTargetTest, FailureCodeBecomesItsMessage)
{
    m_adb.PlayCapture("install_exists_modern");
    std::wstring error;
    EXPECT_FALSE(Target().InstallApk(false, error));
    EXPECT_EQ(ExpectedTextFor(120), error);
}

TEST_F(AdbTargetTest, ServerNotesAreNoSuccess)
{
    // adb exits with 1 here rather than -1, so the runner hands the text on; the phone was
    // not found.
    m_adb.PlayCapture("no_server_install_first", "install_r");
    m_adb.Set(L"install_r", L"exit", L"1");
    std::wstring error;
    EXPECT_FALSE(Target().InstallApk(false, error));
    EXPECT_EQ(ExpectedTextFor(565), error);
}

TEST_F(AdbTargetTest, PhoneThatWentAwayIsSaidThoughAdbEndsWithMinusOne)
{
    for (const char* situation : {"not_found", "offline"}) {
        CFakeAdbScenario adb;
        adb.PlayCapture(situation);
        std::wstring error;
        EXPECT_FALSE(Target().InstallApk(false, error)) << situation;
        EXPECT_EQ(ExpectedTextFor(565), error) << situation;
        EXPECT_EQ(3u, adb.RecordedCommands().size()) << "the install was run and retried once";
    }
}

TEST_F(AdbTargetTest, CurrentFailureCodesBecomeTheirMessages)
{
    m_adb.SetOutputBytes(L"install_r_s", "adb: failed to install C:\\temp\\4712.apk: Failure [INSTALL_FAILED_USER_RESTRICTED: "
                                         "Install canceled by user]\nPerforming Streamed Install\n");
    m_adb.Set(L"install_r_s", L"exit", L"1");
    std::wstring error;
    EXPECT_FALSE(Target().InstallApk(true, error));
    EXPECT_EQ(ExpectedTextFor(550), error);

    m_adb.PlayCapture("install_by_flag_legacy", "install_r_s");
    EXPECT_FALSE(Target().InstallApk(true, error));
    EXPECT_EQ(ExpectedTextFor(558), error) << "a real phone's answer to an install to its SD card";
}

TEST_F(AdbTargetTest, EmptyInstallOutputIsAnUnknownError)
{
    std::wstring error;
    EXPECT_FALSE(Target().InstallApk(true, error));
    EXPECT_EQ(ExpectedTextFor(110), error);
}

TEST_F(AdbTargetTest, CancelledInstallFailsWithoutMessage)
{
    m_adb.Set(L"install_r_s", L"delay-ms", L"30000");
    m_adb.Set(L"install_r_s", L"output-text", L"Success\\n");
    CScopedKernelHandle cancel(::CreateEventW(nullptr, TRUE, TRUE, nullptr));
    AdbTarget target = Target();
    target.cancelEvent = cancel.Get();
    std::wstring error = L"untouched";
    const ULONGLONG started = ::GetTickCount64();
    EXPECT_FALSE(target.InstallApk(true, error));
    EXPECT_LT(::GetTickCount64() - started, 5000u);
    EXPECT_EQ(L"untouched", error);
}

TEST_F(AdbTargetTest, SerialWithBlanksAndQuotesReachesAdbWhole)
{
    for (const std::wstring serial : {L"(no serial number)", L"my \"phone\" 2\\", L"a\\\" -x"}) {
        CFakeAdbScenario adb;
        adb.Set(L"getprop_sdk@" + serial, L"output-text", L"23\\n");
        AdbTarget target = Target();
        target.serial = serial;
        EXPECT_EQ(23, target.QuerySdkVersion()) << serial;

        const auto commands = adb.RecordedCommands();
        ASSERT_EQ(1u, commands.size());
        int count = 0;
        LPWSTR* args = ::CommandLineToArgvW(commands[0].c_str(), &count);
        ASSERT_NE(nullptr, args);
        ASSERT_EQ(6, count) << commands[0];
        EXPECT_EQ(L"-s", std::wstring(args[1]));
        EXPECT_EQ(serial, args[2]);
        EXPECT_EQ(L"shell", std::wstring(args[3]));
        ::LocalFree(args);
    }
}
