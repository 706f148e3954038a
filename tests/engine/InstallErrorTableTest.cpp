#include <gtest/gtest.h>

#include <set>

#include "ExpectedTexts.h"
#include "InstallErrorTable.h"
#include "TestData.h"

namespace {

const InstallErrorTable& Table()
{
    static const InstallErrorTable table = BuildInstallErrorTable(ExpectedTextFor);
    return table;
}

std::wstring MessageFor(const std::wstring& output) { return GetInstallErrorMessage(Table(), output); }

std::wstring CaptureMessage(const std::string& file)
{
    return MessageFor(WidenBytes(ReadTestData("adb/" + file)));
}

}  // namespace

TEST(InstallErrorTable, HasEveryRowWithItsMessage)
{
    const struct {
        const wchar_t* key;
        unsigned id;
    } rows[] = {
        {L"ADB_INSTALL_FAILED_INVALID_ZIP_FILE", 134}, {L"ADB_INSTALL_FAILED_SERVER_DIDNT_ACK", 136},
        {L"ADB_INSTALL_FAILED_VERSION_TOO_LOW", 135}, {L"INSTALL_DEVICES_NOT_FOUND", 118},
        {L"INSTALL_FAILED_ALREADY_EXISTS", 120}, {L"INSTALL_FAILED_CONFLICTING_PROVIDER", 111},
        {L"INSTALL_FAILED_COPY_FAILED", 133}, {L"INSTALL_FAILED_CPU_ABI_INCOMPATIBLE", 124},
        {L"INSTALL_FAILED_DEVICE_NOSPACE", 132}, {L"INSTALL_FAILED_DEVICE_OFFLINE", 131},
        {L"INSTALL_FAILED_DEXOPT", 119}, {L"INSTALL_FAILED_DUPLICATE_PACKAGE", 117},
        {L"INSTALL_FAILED_INSUFFICIENT_STORAGE", 113}, {L"INSTALL_FAILED_INVALID_APK", 102},
        {L"INSTALL_FAILED_INVALID_URI", 103}, {L"INSTALL_FAILED_MISSING_FEATURE", 109},
        {L"INSTALL_FAILED_MISSING_SHARED_LIBRARY", 106}, {L"INSTALL_FAILED_NEWER_SDK", 121},
        {L"INSTALL_FAILED_NO_SHARED_USER", 114}, {L"INSTALL_FAILED_OLDER_SDK", 105},
        {L"INSTALL_FAILED_REPLACE_COULDNT_DELETE", 126}, {L"INSTALL_FAILED_SHARED_USER_INCOMPATIBLE", 125},
        {L"INSTALL_FAILED_TEST_ONLY", 138}, {L"INSTALL_FAILED_UNKOWNED_ERROR", 110},
        {L"INSTALL_FAILED_UPDATE_INCOMPATIBLE", 108}, {L"INSTALL_PARSE_FAILED_BAD_MANIFEST", 116},
        {L"INSTALL_PARSE_FAILED_BAD_PACKAGE_NAME", 107}, {L"INSTALL_PARSE_FAILED_BAD_SHARED_USER_ID", 129},
        {L"INSTALL_PARSE_FAILED_CERTIFICATE_ENCODING", 112}, {L"INSTALL_PARSE_FAILED_INCONSISTENT_CERTIFICATES", 115},
        {L"INSTALL_PARSE_FAILED_MANIFEST_EMPTY", 122}, {L"INSTALL_PARSE_FAILED_MANIFEST_MALFORMED", 104},
        {L"INSTALL_PARSE_FAILED_NOT_APK", 127}, {L"INSTALL_PARSE_FAILED_NO_CERTIFICATES", 123},
        {L"INSTALL_PARSE_FAILED_UNEXPECTED_EXCEPTION", 130},
    };
    ASSERT_EQ(35u, Table().size());
    auto it = Table().begin();
    for (const auto& row : rows) {
        ASSERT_NE(Table().end(), it);
        EXPECT_EQ(row.key, it->first) << "keys out of order";
        EXPECT_EQ(ExpectedTextFor(row.id), it->second) << std::wstring(row.key).size();
        EXPECT_EQ(ExpectedTextFor(row.id), MessageFor(L"Failure [" + std::wstring(row.key) + L"]"));
        ++it;
    }
}

TEST(InstallErrorTable, LoadsEachMessageOnce)
{
    std::multiset<unsigned> loaded;
    BuildInstallErrorTable([&](unsigned id) {
        loaded.insert(id);
        return ExpectedTextFor(id);
    });
    EXPECT_EQ(35u, loaded.size());
    for (unsigned id : loaded) EXPECT_EQ(1u, loaded.count(id)) << id;
    EXPECT_EQ(0u, loaded.count(128));
    EXPECT_EQ(0u, loaded.count(137));
}

TEST(InstallErrorMessage, CodeInBracketsBehindFailureWord)
{
    EXPECT_EQ(L"目标已经存在", MessageFor(L"Failure [INSTALL_FAILED_ALREADY_EXISTS]\r\n"));
}

TEST(InstallErrorMessage, CodeFollowedByColonAndExplanation)
{
    EXPECT_EQ(L"您的手机系统版本低于软件所需版本",
              MessageFor(L"Failure [INSTALL_FAILED_OLDER_SDK: Requires newer sdk version #29 (current version is #28)]"));
}

TEST(InstallErrorMessage, CodeMatchesOnlyInItsOwnLetterCase)
{
    EXPECT_EQ(L"未知错误", MessageFor(L"Failure [install_failed_already_exists]"));
}

TEST(InstallErrorMessage, KeyOrderDecidesBetweenTwoCodes)
{
    EXPECT_EQ(L"无效的apk文件",
              MessageFor(L"INSTALL_PARSE_FAILED_NO_CERTIFICATES then INSTALL_FAILED_INVALID_APK"));
}

TEST(InstallErrorMessage, AdbClientCodes)
{
    EXPECT_EQ(L"adb异常", MessageFor(L"error: ADB_INSTALL_FAILED_SERVER_DIDNT_ACK"));
    EXPECT_EQ(L"非法的zip文件", MessageFor(L"ADB_INSTALL_FAILED_INVALID_ZIP_FILE"));
}

TEST(InstallErrorMessage, CodeInsideLongerWordStillMatches)
{
    EXPECT_EQ(L"复制失败", MessageFor(L"XINSTALL_FAILED_COPY_FAILEDX"));
}

TEST(InstallErrorMessage, UnknownRowUnknownCodeAndEmptyOutputGiveUnknownError)
{
    EXPECT_EQ(L"未知错误", MessageFor(L"Failure [INSTALL_FAILED_UNKOWNED_ERROR]"));
    EXPECT_EQ(L"未知错误", MessageFor(L"Failure [INSTALL_FAILED_VERIFICATION_FAILURE]"));
    EXPECT_EQ(L"未知错误", MessageFor(L""));
}

TEST(InstallErrorMessage, RealFailureOutputs)
{
    EXPECT_EQ(L"目标已经存在", CaptureMessage("install_exists_modern__install_r.txt"));
    EXPECT_EQ(L"目标已经存在", CaptureMessage("install_exists_legacy__install_r.txt"));
    EXPECT_EQ(L"您的手机系统版本低于软件所需版本", CaptureMessage("install_older_sdk_modern__install_r.txt"));
    EXPECT_EQ(L"您的手机系统版本低于软件所需版本", CaptureMessage("install_older_sdk_legacy__install_r.txt"));
    EXPECT_EQ(L"文件未通过认证", CaptureMessage("install_no_cert_modern__install_r.txt"));
    EXPECT_EQ(L"未知错误", CaptureMessage("not_found__install_r.txt"));
    EXPECT_EQ(L"未知错误", CaptureMessage("hanging_install__install_r.txt"));
}
