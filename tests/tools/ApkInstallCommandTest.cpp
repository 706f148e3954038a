#include <gtest/gtest.h>

#include "ApkInstallCommand.h"
#include "DeviceOutcome.h"
#include "InstallMessages.h"

TEST(ParseApkInstallArgs, PackageAloneOrAfterSd)
{
    const ApkInstallArgs phone = ParseApkInstallArgs({L"C:\\a b\\游戏.apk"});
    EXPECT_TRUE(phone.valid);
    EXPECT_FALSE(phone.installToSd);
    EXPECT_EQ(L"C:\\a b\\游戏.apk", phone.package);

    const ApkInstallArgs sd = ParseApkInstallArgs({L"--sd", L"x.apk"});
    EXPECT_TRUE(sd.valid);
    EXPECT_TRUE(sd.installToSd);
    EXPECT_EQ(L"x.apk", sd.package);
}

TEST(ParseApkInstallArgs, OpenWithAnInstallCheckAlone)
{
    const ApkInstallArgs open = ParseApkInstallArgs({L"--open", L"--sd", L"x.apk"});
    EXPECT_TRUE(open.valid && open.open && open.installToSd);
    const ApkInstallArgs check = ParseApkInstallArgs({L"--check", L"x.apk"});
    EXPECT_TRUE(check.valid && check.check);
    EXPECT_FALSE(check.open || check.installToSd);
    for (const auto& args : std::vector<std::vector<std::wstring>>{
             {L"--check", L"--sd", L"x.apk"}, {L"--open", L"--check", L"x.apk"}, {L"--open", L"--open", L"x.apk"},
             {L"--check"}}) {
        EXPECT_FALSE(ParseApkInstallArgs(args).valid) << args.size();
    }
}

TEST(ParseApkInstallArgs, UsageErrors)
{
    const std::vector<std::vector<std::wstring>> cases = {
        {}, {L"--sd"}, {L"a.apk", L"b.apk"}, {L"x.apk", L"--sd"}, {L"--sd", L"--sd", L"x.apk"},
        {L"--force", L"x.apk"}, {L"-s"}, {L""}, {L"--help", L"x.apk"},
    };
    for (const auto& args : cases) {
        const ApkInstallArgs parsed = ParseApkInstallArgs(args);
        EXPECT_FALSE(parsed.valid) << args.size();
        EXPECT_FALSE(parsed.help) << args.size();
    }
}

TEST(ParseApkInstallArgs, Help)
{
    EXPECT_TRUE(ParseApkInstallArgs({L"--help"}).help);
    EXPECT_TRUE(ParseApkInstallArgs({L"-h"}).help);
}

TEST(ApkInstallResultFor, EachMessageHasItsExitCode)
{
    EXPECT_EQ(ApkInstallExit::Installed, ApkInstallResultFor(WM_INSTALL_DONE, 1).exit);
    EXPECT_EQ(535u, ApkInstallResultFor(WM_INSTALL_DONE, 1).textId);

    const ApkInstallResult failed = ApkInstallResultFor(WM_INSTALL_DONE, 0);
    EXPECT_EQ(ApkInstallExit::Failed, failed.exit);
    EXPECT_EQ(0u, failed.textId) << "a failure prints the worker's own message";

    EXPECT_EQ(ApkInstallExit::HandedOver, ApkInstallResultFor(WM_INSTALL_HANDED_OVER, 0).exit);
    EXPECT_EQ(536u, ApkInstallResultFor(WM_INSTALL_HANDED_OVER, 0).textId);
}

TEST(ApkInstallResultFor, NoUsablePhonePrintsTheWindowsText)
{
    for (std::int32_t code : {0, 2, 4, 5, 6, 7, 8, 9, 10, 11}) {
        const ApkInstallResult result = ApkInstallResultFor(WM_INSTALL_NO_DEVICE, std::uintptr_t(code));
        EXPECT_EQ(ApkInstallExit::NoPhone, result.exit) << code;
        EXPECT_EQ(NoDeviceMessageId(code), result.textId) << code;
    }
    // A code without a text of its own still says that no phone could be used.
    EXPECT_EQ(511u, ApkInstallResultFor(WM_INSTALL_NO_DEVICE, 3).textId);
}
