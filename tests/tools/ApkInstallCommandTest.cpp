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

TEST(ParseApkInstallArgs, SerialAndList)
{
    const ApkInstallArgs both = ParseApkInstallArgs({L"--serial", L"EMU 2", L"--sd", L"x.apk"});
    EXPECT_TRUE(both.valid);
    EXPECT_TRUE(both.installToSd);
    EXPECT_EQ(L"EMU 2", both.serial);
    EXPECT_EQ(L"x.apk", both.package);
    EXPECT_EQ(L"EMU1", ParseApkInstallArgs({L"--sd", L"--serial", L"EMU1", L"x.apk"}).serial);

    const ApkInstallArgs list = ParseApkInstallArgs({L"--list"});
    EXPECT_TRUE(list.valid);
    EXPECT_TRUE(list.list);

    DeviceEntry phone;
    phone.serial = L"EMU1";
    phone.stateText = L"device";
    phone.model = L"Pixel_7";
    EXPECT_EQ(L"EMU1\tdevice\tPixel 7", PhoneListLine(phone));
    phone.model.clear();
    phone.stateText = L"unauthorized";
    EXPECT_EQ(L"EMU1\tunauthorized\t", PhoneListLine(phone));
}

TEST(ParseApkInstallArgs, UsageErrors)
{
    const std::vector<std::vector<std::wstring>> cases = {
        {}, {L"--sd"}, {L"a.apk", L"b.apk"}, {L"x.apk", L"--sd"}, {L"--sd", L"--sd", L"x.apk"},
        {L"--force", L"x.apk"}, {L"-s"}, {L""}, {L"--help", L"x.apk"},
        {L"--serial", L"x.apk"}, {L"--serial", L"", L"x.apk"}, {L"--list", L"x.apk"},
        {L"--serial", L"A", L"--serial", L"B", L"x.apk"},
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
    EXPECT_EQ(587u, ApkInstallResultFor(WM_INSTALL_NO_DEVICE, 3).textId);
}
