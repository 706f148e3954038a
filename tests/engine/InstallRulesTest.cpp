#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <set>

#include "AdbCommand.h"
#include "InstallRules.h"
#include "TestData.h"

namespace {

std::wstring Capture(const std::string& file) { return WidenBytes(ReadTestData("adb/" + file)); }

// A push install as adb prints it: the copy's path, the push, the phone's answer.
std::wstring PushInstall(const std::wstring& copy, const std::wstring& answer)
{
    return L"Performing Push Install\n" + copy +
           L": 1 file pushed, 0 skipped. 6.2 MB/s (6419064 bytes in 0.990s)\n\tpkg: /data/local/tmp/4712.apk\r\n" +
           answer + L"\r\n";
}

}  // namespace

TEST(ParseSdkLevel, RealAnswers)
{
    EXPECT_EQ(28, ParseSdkLevel(Capture("ready_modern__getprop_sdk.txt")));
    EXPECT_EQ(0, ParseSdkLevel(Capture("sdk_empty__getprop_sdk.txt")));
    EXPECT_EQ(0, ParseSdkLevel(Capture("sdk_garbage__getprop_sdk.txt")));
}

TEST(ParseSdkLevel, ReadsLikeWcstol)
{
    EXPECT_EQ(17, ParseSdkLevel(L"17\r\n"));
    EXPECT_EQ(7, ParseSdkLevel(L" \t+7"));
    EXPECT_EQ(-3, ParseSdkLevel(L"-3"));
    EXPECT_EQ(19, ParseSdkLevel(L"19abc"));
    EXPECT_EQ(0, ParseSdkLevel(L""));
    EXPECT_EQ(0, ParseSdkLevel(L"\r\n"));
    EXPECT_EQ(0, ParseSdkLevel(L"-"));
    EXPECT_EQ(0, ParseSdkLevel(L"x17"));
}

TEST(ParseSdkLevel, NumbersBeyondThirtyTwoBitsAreClamped)
{
    EXPECT_EQ(std::numeric_limits<std::int32_t>::max(), ParseSdkLevel(L"2147483647"));
    EXPECT_EQ(std::numeric_limits<std::int32_t>::max(), ParseSdkLevel(L"99999999999999999999999"));
    EXPECT_EQ(std::numeric_limits<std::int32_t>::min(), ParseSdkLevel(L"-2147483648"));
    EXPECT_EQ(std::numeric_limits<std::int32_t>::min(), ParseSdkLevel(L"-99999999999999999999999"));
}

TEST(ChooseInstallTemplate, LocationSettingSelectsInternalMemory)
{
    EXPECT_EQ(kAdbInstallToPhone, ChooseInstallTemplate(Capture("ready_modern__getInstallLocation.txt")));
    for (const wchar_t* answer : {L"0[auto]", L"1[internal]\r\n", L"2[external]", L"0"}) {
        EXPECT_EQ(kAdbInstallToPhone, ChooseInstallTemplate(answer)) << answer;
    }
}

TEST(ChooseInstallTemplate, ErrorsAndNothingSelectPlainReplace)
{
    EXPECT_EQ(kAdbInstall, ChooseInstallTemplate(Capture("location_unknown_modern__getInstallLocation.txt")));
    EXPECT_EQ(kAdbInstall, ChooseInstallTemplate(Capture("location_unknown_legacy__getInstallLocation.txt")));
    for (const wchar_t* answer : {L"", L"3", L" 0[auto]", L"\r\n0"}) {
        EXPECT_EQ(kAdbInstall, ChooseInstallTemplate(answer)) << answer;
    }
}

TEST(IsInstallSuccess, RealSuccesses)
{
    for (const char* file : {"ready_modern__install_r.txt", "ready_legacy__install_r.txt",
                             "ready_legacy__install_r_s.txt", "ready_android10__install_r_f.txt",
                             "slow_install__install_r.txt"}) {
        EXPECT_TRUE(IsInstallSuccess(Capture(file))) << file;
    }
}

TEST(IsInstallSuccess, RealFailures)
{
    for (const char* file : {"install_exists_modern__install_r.txt", "install_exists_legacy__install_r.txt",
                             "install_empty_reply_modern__install_r.txt", "not_found__install_r.txt",
                             "unauthorized__install_r.txt", "install_no_cert_modern__install_r.txt"}) {
        EXPECT_FALSE(IsInstallSuccess(Capture(file))) << file;
    }
}

TEST(IsInstallSuccess, AdbsOwnLinesHoldingTheWordAreNotASuccess)
{
    // The server that adb had to start says "successfully"; the install itself failed.
    EXPECT_FALSE(IsInstallSuccess(Capture("no_server_install_first__install_r.txt")));
    // A server that closed the connection: "error: protocol fault (couldn't read status): Success".
    EXPECT_FALSE(IsInstallSuccess(Capture("server_close__install_r.txt")));
    EXPECT_FALSE(IsInstallSuccess(L"adb: error: success\r\n"));
    EXPECT_FALSE(IsInstallSuccess(L"* daemon started successfully\r\n"));
}

TEST(IsInstallSuccess, SuccessAsFirstWordOfALineInAnyCase)
{
    EXPECT_TRUE(IsInstallSuccess(L"Success"));
    EXPECT_TRUE(IsInstallSuccess(L"SUCCESS\r\r\n"));
    EXPECT_TRUE(IsInstallSuccess(L"\tpkg: /data/local/tmp/1.apk\r\nsuccess"));
    EXPECT_TRUE(IsInstallSuccess(L" \t Success \r\n"));
    EXPECT_TRUE(IsInstallSuccess(L"Success\tand more"));
    EXPECT_TRUE(IsInstallSuccess(L"* daemon started successfully\nPerforming Streamed Install\nSuccess\n"));
    // Other lines holding failure codes do not undo a success.
    EXPECT_TRUE(IsInstallSuccess(L"Failure [INSTALL_FAILED_ALREADY_EXISTS]\nSuccess\n"));
}

TEST(IsInstallSuccess, TheWordInsideOtherLinesIsNoSuccess)
{
    // A package whose name holds the word, after a push install that exits 0 on failure.
    EXPECT_FALSE(IsInstallSuccess(PushInstall(L"C:\\Users\\me\\AppData\\Local\\Temp\\4712.apk",
                                              L"Failure [INSTALL_FAILED_UPDATE_INCOMPATIBLE: Package "
                                              L"com.successfactors.successfactors signatures do not match the "
                                              L"previously installed version; ignoring!]")));
    // A temporary folder named so: adb echoes the pushed file's path.
    EXPECT_FALSE(IsInstallSuccess(PushInstall(L"C:\\Users\\Success\\AppData\\Local\\Temp\\4712.apk",
                                              L"Failure [INSTALL_FAILED_ALREADY_EXISTS]")));
    EXPECT_TRUE(IsInstallSuccess(PushInstall(L"C:\\Users\\Success\\AppData\\Local\\Temp\\4712.apk", L"Success")));
    EXPECT_FALSE(IsInstallSuccess(L"Failure [INSTALL_FAILED_ALREADY_EXISTS] unsuccessful\n"));
    EXPECT_FALSE(IsInstallSuccess(L"Error: success\n"));
    EXPECT_FALSE(IsInstallSuccess(L" error: success\n"));
    EXPECT_FALSE(IsInstallSuccess(L"*success\n"));
    EXPECT_FALSE(IsInstallSuccess(L"Successfully\n"));
    EXPECT_FALSE(IsInstallSuccess(L"Success.\n"));
}

TEST(IsInstallSuccess, EveryCaptureJudgedAsBefore)
{
    // The captures that report an install that worked; every other one does not.
    const std::set<std::string> successes = {
        "install_by_flag_legacy__install_r.txt", "location_unknown_legacy__install_r.txt",
        "location_unknown_legacy__install_r_f.txt", "location_unknown_legacy__install_r_s.txt",
        "location_unknown_modern__install_r.txt", "location_unknown_modern__install_r_f.txt",
        "location_unknown_modern__install_r_s.txt", "ready_android10__install_r.txt",
        "ready_android10__install_r_f.txt", "ready_android10__install_r_s.txt", "ready_legacy__install_r.txt",
        "ready_legacy__install_r_f.txt", "ready_legacy__install_r_s.txt", "ready_modern__install_r.txt",
        "ready_modern__install_r_f.txt", "ready_modern__install_r_s.txt", "sdk_empty__install_r.txt",
        "sdk_empty__install_r_f.txt", "sdk_empty__install_r_s.txt", "sdk_garbage__install_r.txt",
        "sdk_garbage__install_r_f.txt", "sdk_garbage__install_r_s.txt", "slow_install__install_r.txt",
        "slow_install__install_r_f.txt", "slow_install__install_r_s.txt", "two_devices__install_r.txt",
        "two_devices__install_r_f.txt", "two_devices__install_r_s.txt",
    };
    std::size_t captures = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TestDataPath("adb"))) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".txt") continue;
        ++captures;
        EXPECT_EQ(successes.count(name) == 1, IsInstallSuccess(Capture(name))) << name;
    }
    EXPECT_GE(captures, 171u);
}

TEST(IsInstallSuccess, NothingIsNotASuccess)
{
    EXPECT_FALSE(IsInstallSuccess(L""));
    EXPECT_FALSE(IsInstallSuccess(L"\r\n\r\n"));
    EXPECT_FALSE(IsInstallSuccess(L"succes\ns"));
}

TEST(FormatTempApkName, TickCountAsSignedDecimal)
{
    EXPECT_EQ(L"0.apk", FormatTempApkName(0));
    EXPECT_EQ(L"4712.apk", FormatTempApkName(4712));
    EXPECT_EQ(L"2147483647.apk", FormatTempApkName(0x7FFFFFFFu));
    EXPECT_EQ(L"-2147483648.apk", FormatTempApkName(0x80000000u));
    EXPECT_EQ(L"-1.apk", FormatTempApkName(0xFFFFFFFFu));
}
